// A fresh folder under the system's temporary folder for one test, removed with everything in it
// when the test ends. Its path ends in "/", as folder texts do in this program.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace plexon::test {

class TempFolder {
  public:
    TempFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "plexon-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) ADD_FAILURE() << "cannot create a temporary folder";
        path_ = pattern + "/";
    }
    ~TempFolder() {
        std::error_code ignored;
        // Tests may leave read-only folders behind; make them writable again so they can go.
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
        for (const auto& entry : std::filesystem::recursive_directory_iterator(path_, ignored))
            if (entry.is_directory(ignored) && !entry.is_symlink(ignored))
                std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_all,
                                             std::filesystem::perm_options::add, ignored);
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The folder's path, ending in "/".
    const std::string& Path() const { return path_; }
    // The folder's path without the final "/".
    std::string PathWithoutDelimiter() const { return path_.substr(0, path_.size() - 1); }
    // The path of a name inside the folder.
    std::string operator/(const std::string& name) const { return path_ + name; }

    // Writes the bytes to a file in the folder and gives its path.
    std::string WriteFile(const std::string& name, const std::string& bytes = "") const {
        std::ofstream(path_ + name, std::ios::binary) << bytes;
        return path_ + name;
    }
    // Creates a folder (and its parents) inside the folder and gives its path, without a final "/".
    std::string MakeFolder(const std::string& name) const {
        std::filesystem::create_directories(path_ + name);
        return path_ + name;
    }

  private:
    std::string path_;
};

}  // namespace plexon::test
