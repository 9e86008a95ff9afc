#include "files/ini_file.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/file_error.h"
#include "temp_folder.h"

namespace orvale {
namespace {

TEST(IniFile, NewFileGetsSectionsAndKeysInWritingOrderWithCrLf) {
    IniFile ini;
    ini.WriteString("Flight Data", "Note", "first flight");
    ini.WriteInteger("Flight Data", "Launch Elevation", -12);
    ini.WriteBool("Channel 1 Data", "Selected", true);
    ini.WriteString("Flight Data", "Location", "Moss field");
    EXPECT_EQ(ini.Text(),
              "[Flight Data]\r\nNote=first flight\r\nLaunch Elevation=-12\r\n"
              "Location=Moss field\r\n[Channel 1 Data]\r\nSelected=1\r\n");

    IniFile back = IniFile::Parse(ini.Text());
    EXPECT_EQ(back.ReadString("Flight Data", "Note", ""), "first flight");
    EXPECT_EQ(back.ReadInteger("Flight Data", "Launch Elevation", 0), -12);
    EXPECT_TRUE(back.ReadBool("Channel 1 Data", "Selected", false));
    EXPECT_EQ(back.Text(), ini.Text());
}

TEST(IniFile, WritingUpdatesInPlaceAndKeepsWhatItDoesNotKnow) {
    IniFile ini = IniFile::Parse(
        "stray=1\n"
        "; written by hand\n"
        "[main]\n"
        "  PATH = /old/ \n"
        "Extra=keep me\n"
        "no equals sign here\n"
        "\n"
        "# about the graph\n"
        "[Graph]\n"
        "Grid_On=1\n");
    ini.WriteString("Main", "Path", "/new/");
    ini.WriteString("Main", "Show_BMP", "0");
    ini.WriteString("DAU", "Port", "2");
    ini.WriteString("stray", "stray", "2");
    // The key keeps its spelling; the new key follows the last key line, ahead of the blank line
    // and the comment that lead into the next section; new sections go to the end.
    EXPECT_EQ(ini.Text(),
              "stray=1\r\n"
              "; written by hand\r\n"
              "[main]\r\n"
              "PATH=/new/\r\n"
              "Extra=keep me\r\n"
              "Show_BMP=0\r\n"
              "no equals sign here\r\n"
              "\r\n"
              "# about the graph\r\n"
              "[Graph]\r\n"
              "Grid_On=1\r\n"
              "[DAU]\r\n"
              "Port=2\r\n"
              "[stray]\r\n"
              "stray=2\r\n");
}

TEST(IniFile, NewKeyInSectionWithoutKeysFollowsItsHeader) {
    IniFile ini = IniFile::Parse("[A]\r\n\r\n[B]\r\nx=1\r\n");
    ini.WriteString("a", "y", "2");
    EXPECT_EQ(ini.Text(), "[A]\r\ny=2\r\n\r\n[B]\r\nx=1\r\n");
}

TEST(IniFile, ReadsAnyLineEndingCaseAndBlanks) {
    IniFile ini =
        IniFile::Parse("\xEF\xBB\xBF[ Main ]\nPath = \t/data/ \t\r\n[DAU]\rPORT=3\r\rBaud=9600");
    EXPECT_EQ(ini.Value("MAIN", "path"), "/data/");
    EXPECT_EQ(ini.ReadInteger("dau", "Port", 1), 3);
    EXPECT_EQ(ini.ReadInteger("Dau", "baud", 0), 9600);
    EXPECT_EQ(ini.Value("DAU", "Missing"), std::nullopt);
    EXPECT_EQ(ini.Value("Nowhere", "Port"), std::nullopt);
    // The byte order mark is gone and every line now ends in CR LF, the empty one included.
    EXPECT_EQ(ini.Text(), "[ Main ]\r\nPath = \t/data/ \t\r\n[DAU]\r\nPORT=3\r\n\r\nBaud=9600\r\n");
}

TEST(IniFile, FirstSectionAndFirstKeyOfANameCountForReadingAndWriting) {
    IniFile ini = IniFile::Parse("Port=9\n[DAU]\nPort=1\nport=2\n[dau]\nPort=3\nBaud=1200\n");
    EXPECT_EQ(ini.ReadInteger("DAU", "Port", 0), 1);
    EXPECT_EQ(ini.Value("DAU", "Baud"), std::nullopt);
    ini.WriteInteger("DAU", "Port", 4);
    ini.WriteInteger("DAU", "Baud", 2400);
    EXPECT_EQ(ini.ReadInteger("DAU", "Port", 0), 4);
    EXPECT_EQ(ini.ReadInteger("DAU", "Baud", 0), 2400);
    EXPECT_EQ(
        ini.Text(),
        "Port=9\r\n[DAU]\r\nPort=4\r\nport=2\r\nBaud=2400\r\n[dau]\r\nPort=3\r\nBaud=1200\r\n");
}

TEST(IniFile, BadOrMissingValuesKeepTheDefault) {
    IniFile ini = IniFile::Parse("[C]\nSelected=2\nOff=0\nWord=yes\nHalf=12.5\nEmpty=\nHex=0x1F\n");
    EXPECT_TRUE(ini.ReadBool("C", "Selected", false));
    EXPECT_FALSE(ini.ReadBool("C", "Off", true));
    EXPECT_TRUE(ini.ReadBool("C", "Word", true));
    EXPECT_FALSE(ini.ReadBool("C", "Word", false));
    EXPECT_EQ(ini.ReadInteger("C", "Half", 7), 7);
    EXPECT_EQ(ini.ReadInteger("C", "Empty", 7), 7);
    EXPECT_EQ(ini.ReadInteger("C", "Hex", 7), 31);
    EXPECT_EQ(ini.ReadString("C", "Empty", "def"), "");
    EXPECT_EQ(ini.ReadString("C", "Absent", "def"), "def");
}

TEST(IniFile, LineBreaksInsideAValueCannotSplitTheLine) {
    IniFile ini;
    ini.WriteString("Flight Data", "Note", "two\r\nlines");
    EXPECT_EQ(IniFile::Parse(ini.Text()).Value("Flight Data", "Note"), "two  lines");
}

TEST(IniFile, LoadAndSave) {
    TempFolder folder;
    const std::string path = folder.Path() + "QUENDA.INI";
    EXPECT_EQ(IniFile::Load(path).Text(), "");

    IniFile ini;
    ini.WriteString("Main", "Default_Filename", "Flt-001");
    ini.Save(path);
    EXPECT_EQ(IniFile::Load(path).Text(), ini.Text());

    std::filesystem::create_directory(folder.Path() + "dir.ini");
    try {
        IniFile::Load(folder.Path() + "dir.ini");
        FAIL() << "a folder read as a settings file";
    } catch (const FileError& e) {
        EXPECT_NE(std::string(e.what()).find(folder.Path() + "dir.ini"), std::string::npos);
    }
}

}  // namespace
}  // namespace orvale
