// A folder of real files for one Wine test, under Z:\tmp, removed with everything in it when
// the test ends; and the small window actions the script tests need besides the shared driver.
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

    void Put(const std::string& name, const std::string& bytes) const;
    std::string Bytes(const std::string& name) const;
    bool Exists(const std::string& name) const;

private:
    std::string path_;
};

// A button click posted instead of sent: the driver goes on while the click opens a modal window
// (a message box, the script editor, the pause) on the window's thread.
void PostClick(HWND button);

// The control that has the keyboard focus in the window's thread.
HWND FocusIn(HWND window);

}  // namespace zavo::testing
