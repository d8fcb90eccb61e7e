#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace svp::test {

// A fresh directory under the system's temporary folder, removed with everything in it when
// the object goes out of scope.
class TempDir
{
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return m_path; }
    std::filesystem::path operator/(const std::string& name) const { return m_path / name; }

private:
    std::filesystem::path m_path;
};

std::vector<unsigned char> readFile(const std::filesystem::path& path);
void writeFile(const std::filesystem::path& path, const std::vector<unsigned char>& bytes);

} // namespace svp::test
