// The stored text forms of the port's settings and the INI files they are kept in.
#include "serial/persistence/IniFile.h"
#include "serial/persistence/SettingsText.h"
#include "support/Unprivileged.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <stdlib.h>
#include <sys/stat.h>

namespace serial {
namespace {

template <typename Enum, typename ToText, typename FromText>
void ExpectRoundTrip(int count, ToText toText, FromText fromText) {
    for (int i = 0; i < count; ++i)
        EXPECT_EQ(fromText(toText(Enum(i))), Enum(i)) << toText(Enum(i));
}

TEST(SettingsText, EveryValueReadsBackAndUnknownTextsFallBack) {
    ExpectRoundTrip<TBaudRate>(16, BaudRateText, TextToBaudRate);
    ExpectRoundTrip<TStopBits>(3, StopBitsText, TextToStopBits);
    ExpectRoundTrip<TDataBits>(4, DataBitsText, TextToDataBits);
    ExpectRoundTrip<TParityBits>(5, ParityText, TextToParity);
    ExpectRoundTrip<TFlowControl>(4, FlowControlText, TextToFlowControl);
    ExpectRoundTrip<TDTRFlowControl>(3, DTRText, TextToDTR);
    ExpectRoundTrip<TRTSFlowControl>(4, RTSText, TextToRTS);

    EXPECT_EQ(TextToBaudRate("cUsToM"), brCustom);
    EXPECT_EQ(TextToBaudRate("9601"), br9600);
    EXPECT_EQ(TextToBaudRate(""), br9600);
    EXPECT_EQ(TextToStopBits("1,5"), sbOneStopBit);
    EXPECT_EQ(TextToDataBits("9"), dbEight);
    EXPECT_EQ(TextToParity("even "), prNone);
    EXPECT_EQ(TextToFlowControl("hardware"), fcHardware);
    EXPECT_EQ(TextToFlowControl("xon"), fcCustom);
    EXPECT_EQ(TextToDTR("HANDSHAKE"), dtrHandshake);
    EXPECT_EQ(TextToRTS("Toggled"), rtsDisable);
    for (const char *yes : {"yes", "YES", "yEs"})
        EXPECT_TRUE(TextToBool(yes)) << yes;
    for (const char *no : {"true", "1", "", "yes "})
        EXPECT_FALSE(TextToBool(no)) << no;
}

TEST(SettingsText, CharactersAsThemselvesOrByTheirCode) {
    const std::pair<int, const char *> written[] = {{17, "#17"},   {33, "!"}, {32, "#32"},
                                                    {200, "#200"}, {0, "#0"}, {127, "\x7f"},
                                                    {128, "#128"}};
    for (auto [code, text] : written)
        EXPECT_EQ(CharText(char(code)), text) << code;
    for (int code = 0; code < 256; ++code)
        EXPECT_EQ(TextToChar(CharText(char(code))), char(code)) << code;

    const std::pair<const char *, int> read[] = {
        {"#65", 'A'}, {"#abc", 0},  {"A", 'A'},   {"Abc", 'A'},        {"#", '#'},
        {"", 0},      {"#321", 65}, {"#-1", 255}, {"#99999999999", 0}, {"# 7", 7}};
    for (auto [text, code] : read)
        EXPECT_EQ(TextToChar(text), char(code)) << text;
}

TEST(IniDocument, ReadsSectionsAndKeysInAnyCase) {
    const IniDocument document("key=outside\r\n"
                               "; [Port]\r\n"
                               "[Port]\r\n"
                               "  Speed =  9600  \r\n"
                               "Name=\" COM1 \"\r\n"
                               "Empty=\r\n"
                               "Speed=19200\r\n"
                               "# Other=1\r\n"
                               "=nokey\r\n"
                               "[ other ] trailing\n"
                               "Speed=110");
    struct Case {
        const char *section, *key;
        std::optional<std::string> value;
    };
    const Case cases[] = {
        {"Port", "Speed", "9600"}, {"PORT", "speed", "9600"}, {"Port", "Name", " COM1 "},
        {"Port", "Empty", ""},     {"Port", "Other", {}},     {"other", "Speed", "110"},
        {"Port", "key", {}},       {"", "key", {}},           {"Missing", "Speed", {}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(document.Value(c.section, c.key), c.value) << c.section << "." << c.key;
}

TEST(IniDocument, WritesChangeOnlyTheirLine) {
    IniDocument document("; settings\n[A]\nx=1\n\n[B]\ny=2\n");
    document.SetValue("a", "X", "10");
    document.SetValue("A", "z", "3");
    document.SetValue("C", "w", "  padded ");
    document.SetValue("B", "q", "\"quoted\"");
    EXPECT_EQ(document.Text(), "; settings\n[A]\nx=10\nz=3\n\n[B]\ny=2\nq=\"\"quoted\"\"\n\n"
                               "[C]\nw=\"  padded \"\n");
    const IniDocument reread(document.Text());
    EXPECT_EQ(reread.Value("C", "w"), "  padded ");
    EXPECT_EQ(reread.Value("B", "q"), "\"quoted\"");

    IniDocument crlf("[A]\r\nx=1");
    crlf.SetValue("A", "y", "2");
    EXPECT_EQ(crlf.Text(), "[A]\r\nx=1\r\ny=2\r\n");

    const std::tuple<const char *, const char *, std::string> refused[] = {
        {"A", "k=v", "1"},
        {"A", " k", "1"},
        {"A", "", "1"},
        {"A", ";k", "1"},
        {"A]", "k", "1"},
        {"A", "k", "1\n2"},
        {"A", "k", std::string("1\0", 2)}};
    for (const auto &[section, key, value] : refused)
        EXPECT_THROW(document.SetValue(section, key, value), EIniFileError) << key << value;
}

TEST(IniDocument, ReadsCrOnlyLineEndsAndAByteOrderMarkAndWritesThemBack) {
    // A file, and the same after two values are set: the mark stays first, new lines take
    // the file's own line end, and a blank line between two CRs is a line of its own.
    const std::pair<std::string, std::string> cases[] = {
        {"[P]\rPort=COM2", "[P]\rPort=COM3\rBaud=9600\r"},
        {"[P]\r\rPort=COM2\r", "[P]\r\rPort=COM3\rBaud=9600\r"},
        {"\xef\xbb\xbf[P]\r\nPort=COM2\r\n", "\xef\xbb\xbf[P]\r\nPort=COM3\r\nBaud=9600\r\n"},
    };
    for (const auto &[text, afterSet] : cases) {
        IniDocument document(text);
        EXPECT_EQ(document.Value("P", "Port"), "COM2") << text;
        document.SetValue("P", "Port", "COM3");
        document.SetValue("P", "Baud", "9600");
        EXPECT_EQ(document.Text(), afterSet);
    }
}

class IniFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/ventrose-ini-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir_ = pattern;
    }
    void TearDown() override { std::system(("rm -rf '" + dir_ + "'").c_str()); }
    std::string Contents(const std::string &path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    std::string dir_;
};

TEST_F(IniFileTest, WritesReachTheFileWholeAtUpdate) {
    const std::string path = dir_ + "/port.ini";
    TIniFile ini(path);
    EXPECT_EQ(ini.ReadString("A", "k", "default"), "default") << "a missing file reads empty";
    ini.WriteString("A", "k", "v");
    ini.WriteInteger("A", "n", -42);
    ini.WriteString("A", "bad", "12x");
    EXPECT_EQ(Contents(path), "") << "nothing written before the update";
    ini.UpdateFile();
    EXPECT_EQ(Contents(path), "[A]\r\nk=v\r\nn=-42\r\nbad=12x\r\n");
    const TIniFile reread(path);
    EXPECT_EQ(reread.ReadInteger("A", "n", 7), -42);
    EXPECT_EQ(reread.ReadInteger("A", "bad", 7), 7);
    EXPECT_EQ(reread.ReadInteger("A", "none", 7), 7);

    // A folder that is gone: the update fails and leaves nothing behind.
    TIniFile lost(dir_ + "/gone/port.ini");
    lost.WriteString("A", "k", "v");
    EXPECT_THROW(lost.UpdateFile(), EIniFileError);
    EXPECT_THROW(TIniFile{dir_}, EIniFileError) << "a folder cannot be read as a file";
}

TEST_F(IniFileTest, AFileOver1MiBOrReadOnlyIsRefusedAndLeftAsItIs) {
    const std::string path = dir_ + "/port.ini";
    std::ofstream(path) << "[A]\nk=v\n" << std::string(std::size_t(1) << 20, '\n');
    EXPECT_THROW(TIniFile{path}, EIniFileError);

    // The folder would let a new file be renamed over the read-only one.
    std::ofstream(path, std::ios::trunc) << "[A]\nk=v\n";
    ::chmod(path.c_str(), 0444);
    ::chmod(dir_.c_str(), 0777);
    EXPECT_EQ(testsupport::RunUnprivileged([&] {
                  TIniFile ini(path);
                  ini.WriteString("A", "k", "w");
                  try {
                      ini.UpdateFile();
                  } catch (const EIniFileError &) {
                      return 0;
                  }
                  return 1;
              }),
              0);
    EXPECT_EQ(Contents(path), "[A]\nk=v\n");
}

} // namespace
} // namespace serial
