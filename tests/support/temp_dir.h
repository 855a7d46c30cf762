// A private directory under the system's temporary folder, removed with
// everything in it when the object goes. For tests only.
#ifndef VELLIN_TEMP_DIR_H
#define VELLIN_TEMP_DIR_H

#include <stdlib.h>  // mkdtemp

#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

class TempDir {
  public:
    // The directory is called PREFIX-XXXXXX; a test cannot go on without it.
    explicit TempDir(const char* prefix) {
        std::string pattern =
            (std::filesystem::temp_directory_path() / (std::string(prefix) + "-XXXXXX")).string();
        if (mkdtemp(pattern.data()) == nullptr)
            std::abort();
        path_ = pattern;
    }
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }

  private:
    std::filesystem::path path_;
};

// An environment variable set for the object's life, then put back as it
// was (unset if it was unset). For tests only.
class ScopedEnv {
  public:
    ScopedEnv(const char* name, const char* value) : name_(name) {
        const char* old = std::getenv(name);
        had_ = old != nullptr;
        if (had_)
            old_ = old;
        setenv(name, value, 1);
    }
    ~ScopedEnv() {
        if (had_)
            setenv(name_.c_str(), old_.c_str(), 1);
        else
            unsetenv(name_.c_str());
    }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

  private:
    std::string name_, old_;
    bool had_;
};

#endif
