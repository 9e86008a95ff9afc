#include "files/path_lookup.h"

#include <gtest/gtest.h>

#include <fstream>

#include "temp_folder.h"

namespace orvale {
namespace {

TEST(PathLookup, FindsTheSpellingOnDisk) {
    TempFolder folder;
    const std::string& dir = folder.Path();
    for (const char* name : {"Quenda.INI", "default.par", "DEFAULT.PAR", "Default.Par", "x.dat"})
        std::ofstream(dir + name) << name;

    EXPECT_EQ(ResolveCaseInsensitive(dir, "QUENDA.INI"), dir + "Quenda.INI");
    EXPECT_EQ(ResolvePath(dir + "quenda.ini"), dir + "Quenda.INI");
    // An exact name wins over the others; without one, the first in byte order.
    EXPECT_EQ(ResolveCaseInsensitive(dir, "default.par"), dir + "default.par");
    EXPECT_EQ(ResolveCaseInsensitive(dir, "Default.Par"), dir + "Default.Par");
    EXPECT_EQ(ResolveCaseInsensitive(dir, "DEFAULT.par"), dir + "DEFAULT.PAR");
    // Nothing alike, or no such folder: the name as given, ready to be created.
    EXPECT_EQ(ResolveCaseInsensitive(dir, "RAMFILE.TMP"), dir + "RAMFILE.TMP");
    EXPECT_EQ(ResolveCaseInsensitive(dir, "x.da"), dir + "x.da");
    EXPECT_EQ(ResolvePath(dir + "none/X.DAT"), dir + "none/X.DAT");
    EXPECT_EQ(ResolveCaseInsensitive("", "no-such-file.PAR"), "no-such-file.PAR");
    EXPECT_EQ(ResolvePath(dir), dir);

    EXPECT_TRUE(PathExists(dir + "x.dat"));
    EXPECT_TRUE(PathExists(dir));
    EXPECT_FALSE(PathExists(dir + "X.DAT"));

    // With the folder's listing kept, the same choices, and a kept listing is not read again.
    {
        FolderListingCache kept;
        EXPECT_EQ(ResolveCaseInsensitive(dir, "DEFAULT.par"), dir + "DEFAULT.PAR");
        EXPECT_EQ(ResolvePath(dir + "quenda.ini"), dir + "Quenda.INI");
        EXPECT_EQ(ResolveCaseInsensitive(dir, "RAMFILE.TMP"), dir + "RAMFILE.TMP");
        std::ofstream(dir + "Ramfile.tmp") << "new";
        EXPECT_EQ(ResolveCaseInsensitive(dir, "RAMFILE.TMP"), dir + "RAMFILE.TMP");
    }
    EXPECT_EQ(ResolveCaseInsensitive(dir, "RAMFILE.TMP"), dir + "Ramfile.tmp");
}

TEST(PathLookup, PartsOfAPath) {
    EXPECT_EQ(DirectoryPart("/home/flyer/DATA/FLT-001.DAT"), "/home/flyer/DATA/");
    EXPECT_EQ(DirectoryPart("FLT-001.DAT"), "");
    EXPECT_EQ(BaseName("/home/flyer/DATA/FLT-001.DAT"), "FLT-001");
    EXPECT_EQ(BaseName("A.B.DAT"), "A");
    EXPECT_EQ(BaseName("/a.b/NAME"), "NAME");
    EXPECT_EQ(BaseName(".hidden"), "");
    EXPECT_EQ(BaseName("/d/" + std::string(70, 'n') + ".DAT"), std::string(64, 'n'));
}

}  // namespace
}  // namespace orvale
