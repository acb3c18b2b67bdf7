// A scratch folder for one test, removed with everything in it when the test ends.
#pragma once

#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <string>

namespace plexon::testing {

class TempFolder {
  public:
    TempFolder() {
        static std::atomic<int> counter{0};
        path_ = std::filesystem::temp_directory_path() /
                ("plexon_app_" + std::to_string(::getpid()) + "_" + std::to_string(counter++));
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The path of a name inside the folder, without a trailing "/".
    std::string operator/(const std::string& relative) const { return (path_ / relative).string(); }
    std::string Path() const { return path_.string(); }

    std::string MakeFolder(const std::string& relative) const {
        std::filesystem::create_directories(path_ / relative);
        return *this / relative;
    }
    std::string Touch(const std::string& relative, const std::string& content = "") const {
        std::ofstream(path_ / relative, std::ios::binary) << content;
        return *this / relative;
    }

  private:
    std::filesystem::path path_;
};

}  // namespace plexon::testing
