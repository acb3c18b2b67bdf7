// The home folder (HOME first, the user database when HOME is unset or empty) and the working folder.
#include "platform/shell/Folders.h"

#include <gtest/gtest.h>
#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <optional>

namespace plexon {
namespace {

// Sets HOME for one test and puts the old value back afterwards.
class HomeVariable {
  public:
    explicit HomeVariable(const char* value) {
        if (const char* old = std::getenv("HOME")) old_ = old;
        if (value)
            setenv("HOME", value, 1);
        else
            unsetenv("HOME");
    }
    ~HomeVariable() {
        if (old_)
            setenv("HOME", old_->c_str(), 1);
        else
            unsetenv("HOME");
    }

  private:
    std::optional<std::string> old_;
};

TEST(HomeFolder, TheVariableFirstThenTheAccount) {
    const passwd* account = getpwuid(getuid());
    const std::optional<std::string> fromAccount = account && account->pw_dir && *account->pw_dir
                                                       ? std::optional<std::string>(account->pw_dir)
                                                       : std::nullopt;
    {
        HomeVariable home("relative/home");
        EXPECT_EQ(HomeFolder(), "relative/home");
    }
    {
        HomeVariable home("");
        EXPECT_EQ(HomeFolder(), fromAccount);
    }
    {
        HomeVariable home(nullptr);
        EXPECT_EQ(HomeFolder(), fromAccount);
    }
}

TEST(WorkingFolder, AsTheSystemGivesIt) {
    EXPECT_EQ(WorkingFolder(), std::filesystem::current_path().string());
}

}  // namespace
}  // namespace plexon
