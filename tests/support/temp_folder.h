// A fresh folder for one test, removed with everything in it afterwards.
#pragma once

#include <filesystem>
#include <random>
#include <string>

namespace tavoli {

class TempFolder {
public:
    TempFolder() {
        std::random_device random;
        const std::filesystem::path base = std::filesystem::temp_directory_path();
        for (int attempt = 0; attempt < 100; ++attempt) {
            std::filesystem::path candidate = base / ("tavoli-test-" + std::to_string(random()));
            std::error_code error;
            if (std::filesystem::create_directory(candidate, error)) {
                path_ = candidate;
                break;
            }
        }
    }
    ~TempFolder() {
        std::error_code error;
        if (!path_.empty()) std::filesystem::remove_all(path_, error);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    std::string Path() const { return path_.string(); }
    // The folder joined with a relative name in the system's separator.
    std::string Join(const std::string& name) const {
        std::string joined = path_.string();
#ifdef _WIN32
        joined += '\\';
        for (char c : name) joined += c == '/' ? '\\' : c;
#else
        joined += '/';
        joined += name;
#endif
        return joined;
    }

private:
    std::filesystem::path path_;
};

}  // namespace tavoli
