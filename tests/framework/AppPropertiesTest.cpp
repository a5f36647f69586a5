// The properties text read from memory and from properties.dat.
#include <gtest/gtest.h>

#include <string>

#include "platform/shared/components/CArrayInputStream.h"
#include "platform/shared/components/CFileInputStream.h"
#include "src/CAppProperties.h"
#include "tests/framework/GameDirTest.h"

namespace {

using AppPropertiesTest = GameDirTest;

void LoadText(CAppProperties& properties, const std::string& text) {
    CArrayInputStream stream;
    ASSERT_EQ(stream.SetData(text.data(), static_cast<std::uint32_t>(text.size())), 1);
    properties.Load(stream);
}

TEST_F(AppPropertiesTest, TextForms) {
    const std::string longValue(250, 'v');
    // Each line, loaded together, and what one key then reads (null: absent).
    const struct {
        std::string line;
        const char* key;
        const char* value;
    } cases[] = {{"# build switches", "#", nullptr},
                 {"Zel-Cheats-Enable = TRUE", "Zel-Cheats-Enable", "TRUE"},
                 {"colon:value", "colon", "value"},
                 {"first:colon=then equals", "first:colon", "then equals"},
                 {"#hidden=1", "#hidden", nullptr},
                 {"!hidden=1", "!hidden", nullptr},
                 {" #shown=1", "#shown", "1"},
                 {"empty=", "empty", nullptr},
                 {"blank =  \t", "blank", nullptr},
                 {"lonely", "lonely", nullptr},
                 {"twice=1", "twice", "1"},
                 {"twice=2", "twice", "1"},
                 {"\tnumber =  -42 ", "number", "-42"},
                 {"long=" + longValue, "long", longValue.c_str()},
                 {"", "", nullptr},
                 {"Case=1", "case", nullptr},
                 {"Zel-Test-Localisation=yes", "Zel-Test-Localisation", "yes"}};
    std::vector<std::string> lines;
    for (const auto& c : cases) lines.push_back(c.line);
    CAppProperties* properties = CAppProperties::GetInstance();
    ASSERT_NE(properties, nullptr);
    EXPECT_EQ(CAppProperties::GetInstance(), properties);
    for (const char* end : {"\n", "\r\n"}) {
        for (const bool finalEnd : {true, false}) {
            LoadText(*properties, Join(lines, end, finalEnd));
            for (const auto& c : cases) {
                const char* value = properties->GetString(c.key);
                EXPECT_EQ(value == nullptr ? "(absent)" : std::string(value), c.value == nullptr ? "(absent)" : c.value)
                    << c.line;
                EXPECT_EQ(properties->Has(c.key), c.value != nullptr) << c.line;
            }
            EXPECT_TRUE(properties->GetBool("Zel-Cheats-Enable"));
            EXPECT_FALSE(properties->GetBool("Zel-Test-Localisation") || properties->GetBool("absent"));
            EXPECT_EQ(properties->GetInt("number") + properties->GetInt("absent"), -42);
        }
    }
}

TEST_F(AppPropertiesTest, SetKeepsTheFirstAndLoadStartsAfresh) {
    CAppProperties* properties = CAppProperties::GetInstance();
    EXPECT_EQ(properties->Set("key", "one") * 10 + properties->Set("key", "two"), 10);
    EXPECT_STREQ(properties->GetString("key"), "one");
    m_dir.Write("properties.dat", "other=file\n");
    CFileInputStream file;
    ASSERT_EQ(file.Open(m_dir.Phone("properties.dat").c_str()), 1);
    properties->Load(file);
    EXPECT_FALSE(properties->Has("key"));
    EXPECT_STREQ(properties->GetString("other"), "file");
}

}  // namespace
