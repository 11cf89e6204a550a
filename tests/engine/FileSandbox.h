// A temporary folder for the file tests, removed with all it holds.
#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>
#include <string>

class FileSandbox {
public:
    FileSandbox()
    {
        const std::filesystem::path base = std::filesystem::temp_directory_path();
        std::random_device random;
        // Lower case only: the case-insensitive lookup must find exactly this folder.
        for (int attempt = 0; attempt < 100; ++attempt) {
            const std::filesystem::path candidate = base / ("tavrelin-file-" + std::to_string(random() % 100000000u));
            if (std::filesystem::create_directory(candidate)) {
                root = candidate;
                root.make_preferred();
                return;
            }
        }
        throw std::runtime_error("no temporary folder");
    }
    ~FileSandbox()
    {
        std::error_code ignored;
        // Read-only entries would stop the removal on Windows.
        for (auto it = std::filesystem::recursive_directory_iterator(root, ignored);
             it != std::filesystem::recursive_directory_iterator(); it.increment(ignored)) {
            if (!it->is_symlink(ignored))
                std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all,
                                             std::filesystem::perm_options::add, ignored);
        }
        std::filesystem::remove_all(root, ignored);
    }
    FileSandbox(const FileSandbox&) = delete;
    FileSandbox& operator=(const FileSandbox&) = delete;

    // The folder as a host path, e.g. /tmp/tavrelin-file-123 or C:\...\tavrelin-file-123.
    std::string Root() const { return root.string(); }
    std::filesystem::path Path(const std::string& relative) const
    {
        std::filesystem::path path = root / relative;
        return path.make_preferred();
    }
    std::string Native(const std::string& relative) const { return Path(relative).string(); }

    void Write(const std::string& relative, const std::string& content) const
    {
        const std::filesystem::path path = Path(relative);
        std::filesystem::create_directories(path.parent_path());
        std::ofstream out(path, std::ios::binary);
        out.write(content.data(), static_cast<std::streamsize>(content.size()));
    }
    std::string Read(const std::string& relative) const
    {
        std::ifstream in(Path(relative), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    bool Exists(const std::string& relative) const
    {
        std::error_code ignored;
        return std::filesystem::exists(std::filesystem::symlink_status(Path(relative), ignored));
    }
    void MakeDir(const std::string& relative) const { std::filesystem::create_directories(Path(relative)); }
    void MakeReadOnly(const std::string& relative) const
    {
        std::filesystem::permissions(Path(relative),
                                     std::filesystem::perms::owner_write | std::filesystem::perms::group_write |
                                         std::filesystem::perms::others_write,
                                     std::filesystem::perm_options::remove);
    }
    // False where the system will not make links (Windows without the right).
    bool Link(const std::string& relative, const std::filesystem::path& target, bool directory) const
    {
        std::error_code error;
        if (directory)
            std::filesystem::create_directory_symlink(target, Path(relative), error);
        else
            std::filesystem::create_symlink(target, Path(relative), error);
        return !error;
    }

private:
    std::filesystem::path root;
};
