#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace td::testing {

// A fresh directory removed with everything in it when the test ends.
class TempDir {
public:
    TempDir() : root(mkdtemp((std::filesystem::temp_directory_path() / "td-app-XXXXXX").string().data())) {}
    ~TempDir() { std::error_code error; std::filesystem::remove_all(root, error); }
    std::string Path(const std::string& name) const { return (root / name).string(); }

private:
    std::filesystem::path root;
};

inline std::vector<char> FileBytes(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return { std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>() };
}

inline void WriteBytes(const std::string& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }

}  // namespace td::testing
