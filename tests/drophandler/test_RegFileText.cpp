// The .reg text of the registry file: what is read, what is refused, and what is written back.
#include "RegFileText.h"
#include "RegistryStore.h"

#include <gtest/gtest.h>

using namespace drophandler;

namespace {

using namespace std::string_literals;

const std::string Key = "HKEY_CLASSES_ROOT\\Morvane.RenameDrop\\ShellEx\\Wyncourt";

TEST(RegFileText, ReadsEveryKindOfValue)
{
    const std::string text = "\xEF\xBB\xBFWindows Registry Editor Version 5.00\r\n"
                             "\r\n"
                             "; a comment\r\n"
                             "[HKCR\\Morvane.RenameDrop\\ShellEx\\Wyncourt]\r\n"
                             "@=\"C:\\\\Program \\\"Files\\\"\\\\vexlo\"\r\n"
                             "\"Arguments\" = \"-a\"\n"
                             "\"OmitTarget\"=dword:0000002a\n"
                             "\"Blob\"=hex:01,ff,\\\n"
                             "    80\n"
                             "\"Typed\"=hex(7):41,00\n"
                             "\"Empty\"=hex:\n";
    RegistryStore store;
    ASSERT_TRUE(RegFileText::parse(text, store));

    struct Expected {
        const char *name;
        DWORD type;
        std::string data;
    };
    const Expected values[] = {
        {"", REG_SZ, "C:\\Program \"Files\"\\vexlo\0"s},
        {"arguments", REG_SZ, "-a\0"s},
        {"OMITTARGET", REG_DWORD, "\x2a\0\0\0"s},
        {"Blob", REG_BINARY, "\x01\xff\x80"s},
        {"Typed", 7, "A\0"s},
        {"Empty", REG_BINARY, ""},
    };
    for (const Expected &v : values) {
        SCOPED_TRACE(v.name);
        const RegistryValue *value = store.findValue(Key, v.name);
        ASSERT_NE(value, nullptr);
        EXPECT_EQ(value->type, v.type);
        EXPECT_EQ(value->data, v.data);
    }
    EXPECT_EQ(store.findValue(Key, "OmitTarget")->text(), "*");
    EXPECT_TRUE(store.keyExists("hkey_classes_root\\morvane.renamedrop"));
    EXPECT_FALSE(store.keyExists("HKEY_CLASSES_ROOT\\Morvane"));
}

TEST(RegFileText, RefusesMalformedText)
{
    const char *const cases[] = {
        "\"Value\"=\"before any key\"\n",
        "[HKEY_CLASSES_ROOT\\.rnp\n",
        "[HKEY_CLASSES_ROOT\\\\.rnp]\n",
        "[]\n",
        "[HKEY_CLASSES_ROOT\\.rnp]\n@=\"unterminated\n",
        "[HKEY_CLASSES_ROOT\\.rnp]\n@=\"text\" trailing\n",
        "[HKEY_CLASSES_ROOT\\.rnp]\nName=\"unquoted name\"\n",
        "[HKEY_CLASSES_ROOT\\.rnp]\n@\"no equals\"\n",
        "[HKEY_CLASSES_ROOT\\.rnp]\n@=dword:123456789\n",
        "[HKEY_CLASSES_ROOT\\.rnp]\n@=dword:\n",
        "[HKEY_CLASSES_ROOT\\.rnp]\n@=hex:1,2g\n",
        "[HKEY_CLASSES_ROOT\\.rnp]\n@=hex:100\n",
        "[HKEY_CLASSES_ROOT\\.rnp]\n@=hex(x):00\n",
        "[HKEY_CLASSES_ROOT\\.rnp]\n@=hex:00,\\\n",
        "[HKEY_CLASSES_ROOT\\.rnp]\n@=sz:text\n",
    };
    for (const char *text : cases) {
        SCOPED_TRACE(text);
        RegistryStore store;
        EXPECT_FALSE(RegFileText::parse(text, store));
    }
}

TEST(RegFileText, DeletionLinesRemoveKeysAndValues)
{
    RegistryStore store;
    ASSERT_TRUE(RegFileText::parse("[HKEY_CLASSES_ROOT\\A]\n\"x\"=\"1\"\n\"y\"=\"2\"\n"
                                   "[HKEY_CLASSES_ROOT\\A\\B]\n[HKEY_CLASSES_ROOT\\A\\B\\C]\n"
                                   "[HKEY_CLASSES_ROOT\\AB]\n"
                                   "[HKEY_CLASSES_ROOT\\A]\n\"X\"=-\n"
                                   "[-HKEY_CLASSES_ROOT\\a\\b]\n",
                                   store));
    EXPECT_EQ(store.findValue("HKEY_CLASSES_ROOT\\A", "x"), nullptr);
    EXPECT_NE(store.findValue("HKEY_CLASSES_ROOT\\A", "y"), nullptr);
    EXPECT_FALSE(store.keyExists("HKEY_CLASSES_ROOT\\A\\B"));
    EXPECT_FALSE(store.keyExists("HKEY_CLASSES_ROOT\\A\\B\\C"));
    EXPECT_TRUE(store.keyExists("HKEY_CLASSES_ROOT\\AB"));
}

TEST(RegFileText, WritesWhatItReadsBack)
{
    RegistryStore store;
    store.setString(Key, "", "/opt/my \"odd\" \\ folder/vexlo");
    store.setString(Key, "Arguments", "line one\nline two");
    store.setValue(Key, "OmitTarget", REG_DWORD, "\x01\x02\x03\x04"s);
    store.setValue(Key, "Raw", REG_BINARY, "\x00\xff"s);
    store.setValue(Key, "Unterminated", REG_SZ, "abc");
    store.setValue(Key, "Other", 0x2b, "z");
    store.createKey("HKEY_CLASSES_ROOT\\.rnp");

    const std::string text = RegFileText::format(store);
    EXPECT_EQ(text, "Windows Registry Editor Version 5.00\n\n"
                    "[HKEY_CLASSES_ROOT\\.rnp]\n\n"
                    "[" + Key + "]\n"
                    "@=\"/opt/my \\\"odd\\\" \\\\ folder/vexlo\"\n"
                    "\"Arguments\"=hex(1):6c,69,6e,65,20,6f,6e,65,0a,6c,69,6e,65,20,74,77,6f,00\n"
                    "\"OmitTarget\"=dword:04030201\n"
                    "\"Other\"=hex(2b):7a\n"
                    "\"Raw\"=hex:00,ff\n"
                    "\"Unterminated\"=hex(1):61,62,63\n\n");

    RegistryStore reread;
    ASSERT_TRUE(RegFileText::parse(text, reread));
    EXPECT_EQ(RegFileText::format(reread), text);
    EXPECT_EQ(reread.findValue(Key, "Arguments")->text(), "line one\nline two");
}

TEST(RegistryStore, DeletesOnlyKeysWithoutSubkeys)
{
    RegistryStore store;
    store.createKey("HKEY_CLASSES_ROOT\\A\\B");
    store.createKey("HKEY_CLASSES_ROOT\\A");
    EXPECT_FALSE(store.deleteKey("HKEY_CLASSES_ROOT\\A"));
    EXPECT_FALSE(store.deleteKey("HKEY_CLASSES_ROOT\\Missing"));
    EXPECT_TRUE(store.deleteKey("hkey_classes_root\\a\\b"));
    EXPECT_TRUE(store.deleteKey("HKEY_CLASSES_ROOT\\A"));
    EXPECT_TRUE(store.keys().empty());
    EXPECT_FALSE(store.createKey("HKEY_CLASSES_ROOT\\A\\"));
    EXPECT_FALSE(store.setString("\\A", "", "x"));
}

} // namespace
