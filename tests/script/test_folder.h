// A folder of real files for one Wine test, under Z:\tmp, removed with everything in it when
// the test ends.
#pragma once

#include <windows.h>

#include <string>

namespace zavo::testing {

class TestFolder {
public:
    TestFolder();
    ~TestFolder();
    TestFolder(const TestFolder&) = delete;
    TestFolder& operator=(const TestFolder&) = delete;

    // The folder's path with its final "\".
    const std::string& Path() const { return path_; }
    std::string operator/(const std::string& name) const { return path_ + name; }

    void MakeFolder(const std::string& name) const;
    void Put(const std::string& name, const std::string& bytes) const;
    std::string Bytes(const std::string& name) const;
    bool Exists(const std::string& name) const;

private:
    std::string path_;
};

}  // namespace zavo::testing
