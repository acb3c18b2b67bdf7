// A list of 8-bit strings with update brackets and a change event. No sorting, no objects.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace plexon {

class TStringList {
  public:
    std::function<void()> OnChange;

    int Count() const { return int(items_.size()); }
    // EStringListError "List index out of bounds (%s)" outside 0 <= index < Count.
    const std::string& Strings(int index) const;
    void SetStrings(int index, const std::string& value);
    const std::string& operator[](int index) const { return Strings(index); }
    int Add(const std::string& value);
    void Insert(int index, const std::string& value);
    void Delete(int index);
    void Clear();
    int IndexOf(const std::string& value) const;  // exact comparison; -1 when absent
    void Assign(const std::vector<std::string>& values);
    // Lines joined with CR LF after each.
    std::string Text() const;

    // Changes inside a bracket announce themselves once, when the outermost bracket closes.
    void BeginUpdate() { ++updates_; }
    void EndUpdate();

  private:
    void CheckIndex(int index, int limit) const;
    void Changed();

    std::vector<std::string> items_;
    int updates_ = 0;
    bool changedInUpdate_ = false;
};

}  // namespace plexon
