// Registry round trips in the test run's private Wine prefix.
#include "framework/registry_win32.h"

#include <gtest/gtest.h>

#include <string>

namespace tavoli {
namespace {

// A key of its own for each test, removed afterwards.
class RegistryTest : public testing::Test {
protected:
    RegistryTest() {
        subkey_ = "Software\\TavoliTest\\" + std::string(testing::UnitTest::GetInstance()->current_test_info()->name());
        path_ = "HKCU\\" + subkey_;
        RegDeleteTreeA(HKEY_CURRENT_USER, subkey_.c_str());
    }
    ~RegistryTest() override { RegDeleteTreeA(HKEY_CURRENT_USER, subkey_.c_str()); }

    HKEY Raw() {
        HKEY key = nullptr;
        RegCreateKeyExA(HKEY_CURRENT_USER, subkey_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
        return key;
    }

    DWORD StoredType(const char* name) {
        HKEY key = Raw();
        DWORD type = 0;
        RegQueryValueExA(key, name, nullptr, &type, nullptr, nullptr);
        RegCloseKey(key);
        return type;
    }

    std::string subkey_;
    std::string path_;
};

TEST_F(RegistryTest, WriteAndReadBack) {
    const RegistryValues values = {
        {"FirstDayOfWeek", "1"}, {"Design", "T0W0R1F1"}, {"Empty", ""}, {"FormatEra", "\x95\xbd\x90\xac"}};
    ASSERT_EQ(WriteRegistryValues(path_, values), kSuccess);  // creates the key
    RegistryValues read = {{"stale", "x"}};
    ASSERT_EQ(ReadRegistryValues(path_, read), kSuccess);
    EXPECT_EQ(read.size(), values.size());
    for (const auto& pair : values) {
        bool found = false;
        for (const auto& got : read) found = found || got == pair;
        EXPECT_TRUE(found) << pair.first;
    }
    EXPECT_EQ(StoredType("Design"), static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(WriteRegistryValues(path_, {}), kSuccess);  // an empty map writes nothing
}

TEST_F(RegistryTest, TypesOfStoredValues) {
    HKEY key = Raw();
    const DWORD five = 5;
    RegSetValueExA(key, "Number", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&five), sizeof five);
    RegSetValueExA(key, "Expand", 0, REG_EXPAND_SZ, reinterpret_cast<const BYTE*>("%TEMP%\\x"), 9);
    const BYTE blob[3] = {1, 2, 3};
    RegSetValueExA(key, "Binary", 0, REG_BINARY, blob, sizeof blob);
    const std::string longText(1000, 'L');  // longer than the 256-byte buffers
    RegSetValueExA(key, "Long", 0, REG_SZ, reinterpret_cast<const BYTE*>(longText.c_str()),
                   static_cast<DWORD>(longText.size() + 1));
    const std::string longName(300, 'N');  // a name longer than the 256-byte buffer
    RegSetValueExA(key, longName.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>("n"), 2);
    RegCloseKey(key);

    RegistryValues read;
    ASSERT_EQ(ReadRegistryValues(path_, read), kSuccess);
    auto text = [&](const std::string& name) {
        for (const auto& pair : read) {
            if (pair.first == name) return pair.second;
        }
        return std::string("<missing>");
    };
    EXPECT_EQ(text("Number"), "5");
    EXPECT_EQ(text("Expand"), "%TEMP%\\x");
    EXPECT_EQ(text("Binary"), "");
    EXPECT_EQ(text("Long"), longText);  // read whole, not cut at 255 bytes
    EXPECT_EQ(text(longName), "n");
    // Writing the long values back changes nothing (they compare equal after a full read).
    ASSERT_EQ(WriteRegistryValues(path_, {{"Long", longText}}), kSuccess);
    EXPECT_EQ(StoredType("Long"), static_cast<DWORD>(REG_SZ));
    RegistryValues again;
    ASSERT_EQ(ReadRegistryValues(path_, again), kSuccess);
    EXPECT_EQ(again, read);
}

TEST_F(RegistryTest, WritesOnlyWhatDiffers) {
    ASSERT_EQ(WriteRegistryValues(path_, {{"A", "same"}, {"B", "old"}}), kSuccess);
    // Make "A" read-only in effect: replace its stored value behind the helper's back by
    // a marker of the same text; an unchanged write must not touch it. The last-write
    // time of a value is not kept, so watch the type instead: an equal REG_SZ stays.
    HKEY key = Raw();
    RegSetValueExA(key, "C", 0, REG_EXPAND_SZ, reinterpret_cast<const BYTE*>("same"), 5);
    RegCloseKey(key);
    ASSERT_EQ(WriteRegistryValues(path_, {{"A", "same"}, {"B", "new"}, {"C", "same"}}), kSuccess);
    EXPECT_EQ(StoredType("C"), static_cast<DWORD>(REG_SZ));  // an equal REG_EXPAND_SZ is rewritten as REG_SZ
    RegistryValues read;
    ASSERT_EQ(ReadRegistryValues(path_, read), kSuccess);
    EXPECT_EQ(read, (RegistryValues{{"A", "same"}, {"B", "new"}, {"C", "same"}}));
}

// "No write when equal": a key opened for reading only cannot be written, so writing
// equal values to it succeeds only because nothing is written.
TEST_F(RegistryTest, NoWriteWhenEqual) {
    ASSERT_EQ(WriteRegistryValues(path_, {{"A", "1"}, {"B", "2"}}), kSuccess);
    HKEY key = Raw();
    FILETIME before = {};
    RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                     &before);
    RegCloseKey(key);
    Sleep(20);
    ASSERT_EQ(WriteRegistryValues(path_, {{"A", "1"}, {"B", "2"}}), kSuccess);
    key = Raw();
    FILETIME after = {};
    RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                     &after);
    RegCloseKey(key);
    EXPECT_EQ(CompareFileTime(&before, &after), 0) << "an equal write changed the key";
    ASSERT_EQ(WriteRegistryValues(path_, {{"A", "1"}, {"B", "3"}}), kSuccess);
    key = Raw();
    RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                     &after);
    RegCloseKey(key);
    EXPECT_NE(CompareFileTime(&before, &after), 0) << "a changed value was not written";
}

TEST_F(RegistryTest, RootsAndFailures) {
    ASSERT_EQ(WriteRegistryValues(path_, {{"X", "1"}}), kSuccess);
    RegistryValues read;
    EXPECT_EQ(ReadRegistryValues("hkcu\\" + subkey_, read), kSuccess);
    EXPECT_EQ(read.size(), 1u);
    EXPECT_EQ(ReadRegistryValues("#80000001\\" + subkey_, read), kSuccess);
    EXPECT_EQ(read.size(), 1u);
    EXPECT_EQ(ReadRegistryValues("#8000000G\\X", read), ErrorFromKey("registry"));
    EXPECT_TRUE(read.empty());
    EXPECT_EQ(ReadRegistryValues("HKXX\\Software", read), ErrorFromKey("registry"));
    EXPECT_EQ(WriteRegistryValues("HKXX\\Software", {{"a", "b"}}), ErrorFromKey("registry"));
    // A key that does not exist: the open error and an empty map.
    read = {{"stale", "x"}};
    EXPECT_EQ(ReadRegistryValues(path_ + "\\Missing", read), ErrorFromSystem(ERROR_FILE_NOT_FOUND));
    EXPECT_TRUE(read.empty());
    HKEY key = nullptr;
    EXPECT_EQ(OpenRegistryKey(path_ + "\\Made\\Deep", KEY_READ, true, key), kSuccess);
    EXPECT_NE(key, nullptr);
    RegCloseKey(key);
}

}  // namespace
}  // namespace tavoli
