// Both programs carry their application manifest, read back from the built files as Windows
// reads it: the RT_MANIFEST resource with the process manifest's id.

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "tests/support/desktop.h"

namespace nuvrel {
namespace {

using nuvrel::testing::ProgramFolder;

std::string EmbeddedManifest(const std::string& file) {
    const std::string path = ProgramFolder() + "\\" + file;
    const HMODULE module = LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (module == nullptr) {
        return {};
    }
    std::string text;
    if (const HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24))) {
        const HGLOBAL loaded = LoadResource(module, found);
        const char* bytes = static_cast<const char*>(LockResource(loaded));
        if (bytes != nullptr) {
            text.assign(bytes, SizeofResource(module, found));
        }
    }
    FreeLibrary(module);
    return text;
}

// The text between <tag ...> and </tag>, of the first such element.
std::string ElementText(const std::string& xml, const std::string& tag) {
    const std::size_t open = xml.find("<" + tag + " ");
    if (open == std::string::npos) {
        return {};
    }
    const std::size_t start = xml.find('>', open);
    const std::size_t end = xml.find("</" + tag + ">", start);
    if (start == std::string::npos || end == std::string::npos) {
        return {};
    }
    return xml.substr(start + 1, end - start - 1);
}

// The opening tag of the first element of that name, attributes included.
std::string OpeningTag(const std::string& xml, const std::string& tag) {
    const std::size_t open = xml.find("<" + tag + " ");
    if (open == std::string::npos) {
        return {};
    }
    return xml.substr(open, xml.find('>', open) - open + 1);
}

std::string WithoutComments(std::string xml) {
    for (std::size_t open; (open = xml.find("<!--")) != std::string::npos;) {
        const std::size_t close = xml.find("-->", open);
        xml.erase(open, close == std::string::npos ? std::string::npos : close + 3 - open);
    }
    return xml;
}

class manifest_test : public ::testing::TestWithParam<const char*> {};

TEST_P(manifest_test, declares_per_monitor_dpi_awareness_v2_with_the_older_fallback) {
    const std::string manifest = WithoutComments(EmbeddedManifest(GetParam()));
    ASSERT_FALSE(manifest.empty()) << "no RT_MANIFEST resource 1";
    EXPECT_EQ(ElementText(manifest, "dpiAwareness"), "PerMonitorV2, PerMonitor");
    EXPECT_NE(OpeningTag(manifest, "dpiAwareness")
                  .find("xmlns=\"http://schemas.microsoft.com/SMI/2016/WindowsSettings\""),
              std::string::npos);
    EXPECT_EQ(ElementText(manifest, "dpiAware"), "true/pm");
    EXPECT_NE(OpeningTag(manifest, "dpiAware")
                  .find("xmlns=\"http://schemas.microsoft.com/SMI/2005/WindowsSettings\""),
              std::string::npos);
}

TEST_P(manifest_test, supports_windows_7_to_11) {
    const std::string manifest = WithoutComments(EmbeddedManifest(GetParam()));
    ASSERT_FALSE(manifest.empty());
    EXPECT_NE(manifest.find("<compatibility xmlns=\"urn:schemas-microsoft-com:compatibility.v1\">"),
              std::string::npos);
    for (const char* id : {"{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",     // 7
                           "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",     // 8
                           "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",     // 8.1
                           "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"}) {  // 10 and 11
        EXPECT_NE(manifest.find("<supportedOS Id=\"" + std::string(id) + "\"/>"), std::string::npos)
            << id;
    }
}

// A requested execution level would end the file virtualization that keeps the settings
// file beside the program writable in a protected folder.
TEST_P(manifest_test, requests_no_execution_level) {
    const std::string manifest = WithoutComments(EmbeddedManifest(GetParam()));
    ASSERT_FALSE(manifest.empty());
    EXPECT_EQ(manifest.find("requestedExecutionLevel"), std::string::npos);
    EXPECT_EQ(manifest.find("trustInfo"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(programs, manifest_test, ::testing::Values("Nuvrel.scr", "Nuvrel.dll"));

}  // namespace
}  // namespace nuvrel
