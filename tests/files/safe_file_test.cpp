#include "files/safe_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/file_error.h"
#include "temp_folder.h"

namespace orvale {
namespace {

std::string Contents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

void Put(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// Expects WriteFileAtomically to fail with the message the flyer sees.
void ExpectWriteFails(const std::string& path) {
    try {
        WriteFileAtomically(path, "new");
        ADD_FAILURE() << "no error for " << path;
    } catch (const FileError& e) {
        EXPECT_TRUE(std::string(e.what()).starts_with("Unable to write to " + path)) << e.what();
    }
}

TEST(SafeFile, ReplacesTheTargetKeepingItsModeAndLeavesNoTemporary) {
    TempFolder folder;
    const std::string path = folder.Path() + "Flt-001.PAR";
    Put(path, "old contents that are longer");
    ::chmod(path.c_str(), 0640);
    WriteFileAtomically(path, "new\r\n");
    EXPECT_EQ(Contents(path), "new\r\n");
    struct stat st;
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_EQ(folder.Names(), std::set<std::string>{"Flt-001.PAR"});

    WriteFileAtomically(folder.Path() + "new.ini", "");
    EXPECT_TRUE(std::filesystem::exists(folder.Path() + "new.ini"));
}

TEST(SafeFile, FollowsASymbolicLink) {
    TempFolder folder;
    Put(folder.Path() + "real.ini", "old");
    std::filesystem::create_symlink(folder.Path() + "real.ini", folder.Path() + "link.ini");
    WriteFileAtomically(folder.Path() + "link.ini", "new");
    EXPECT_TRUE(std::filesystem::is_symlink(folder.Path() + "link.ini"));
    EXPECT_EQ(Contents(folder.Path() + "real.ini"), "new");
}

TEST(SafeFile, FailureLeavesEverythingAsItWas) {
    TempFolder folder;
    ExpectWriteFails(folder.Path() + "missing/QUENDA.INI");
    // A folder where the file should be cannot be replaced: the rename fails after the
    // temporary was written, which must then be gone.
    std::filesystem::create_directory(folder.Path() + "DEFAULT.PAR");
    ExpectWriteFails(folder.Path() + "DEFAULT.PAR");
    EXPECT_TRUE(std::filesystem::is_directory(folder.Path() + "DEFAULT.PAR"));
    EXPECT_EQ(folder.Names(), std::set<std::string>{"DEFAULT.PAR"});
}

TEST(SafeFile, ReadOnlyFileKeepsItsContentsWhateverTheFolderAllows) {
    TempFolder folder;
    const std::string path = folder.Path() + "RO.PAR";
    Put(path, "Note=old\r\n");
    ::chmod(path.c_str(), 0444);
    try {
        WriteFileAtomically(path, "Note=new\r\n");
        FAIL() << "a read-only file was replaced";
    } catch (const FileError& e) {
        EXPECT_EQ(std::string(e.what()), "Unable to write to " + path + " (the file is read-only)");
    }
    EXPECT_THROW(RealFileLayer().Create(path), FileError);
    EXPECT_EQ(Contents(path), "Note=old\r\n");
    EXPECT_EQ(folder.Names(), std::set<std::string>{"RO.PAR"});
}

// A disk with room for a fixed number of bytes, holding one source file.
class SmallDisk : public FileLayer {
public:
    SmallDisk(std::string source, size_t room) : source_(std::move(source)), room_(room) {}

    std::unique_ptr<FileSource> OpenForReading(const std::string&) override {
        return std::make_unique<Source>(source_);
    }
    std::unique_ptr<FileSink> Create(const std::string&) override {
        written.clear();
        return std::make_unique<Sink>(*this);
    }

    std::string written;
    std::vector<size_t> writeSizes;

private:
    struct Source : FileSource {
        explicit Source(std::string_view bytes) : rest(bytes) {}
        size_t Read(void* buffer, size_t size) override {
            size_t n = std::min(size, rest.size());
            std::memcpy(buffer, rest.data(), n);
            rest.remove_prefix(n);
            return n;
        }
        std::string_view rest;
    };
    struct Sink : FileSink {
        explicit Sink(SmallDisk& disk) : disk(disk) {}
        size_t Write(const void* data, size_t size) override {
            disk.writeSizes.push_back(size);
            size_t n = std::min(size, disk.room_ - disk.written.size());
            disk.written.append(static_cast<const char*>(data), n);
            return n;
        }
        bool Close() override { return true; }
        SmallDisk& disk;
    };

    std::string source_;
    size_t room_;
};

TEST(FileCopy, CopiesInBlocksAndReportsAShortWrite) {
    std::string image(8196, '\0');
    for (size_t i = 0; i < image.size(); ++i)
        image[i] = static_cast<char>(i * 7);

    SmallDisk roomy(image, 100000);
    CopyResult whole = CopyFileContents("RAMFILE.TMP", "FLT.DAT", roomy);
    EXPECT_TRUE(whole.complete);
    EXPECT_EQ(whole.bytesCopied, 8196u);
    EXPECT_EQ(roomy.written, image);
    EXPECT_EQ(roomy.writeSizes, (std::vector<size_t>{4096, 4096, 4}));

    SmallDisk full(image, 5000);
    CopyResult part = CopyFileContents("RAMFILE.TMP", "FLT.DAT", full);
    EXPECT_FALSE(part.complete);
    EXPECT_EQ(part.bytesCopied, 5000u);
    EXPECT_EQ(full.writeSizes.size(), 2u) << "copying went on after the disk was full";
}

TEST(FileCopy, RealFileSystem) {
    TempFolder folder;
    const std::string image(10000, 'x');
    Put(folder.Path() + "RAMFILE.TMP", image);
    Put(folder.Path() + "FLT.DAT", std::string(20000, 'y'));
    CopyResult result =
        CopyFileContents(folder.Path() + "RAMFILE.TMP", folder.Path() + "FLT.DAT", RealFileLayer());
    EXPECT_TRUE(result.complete);
    EXPECT_EQ(Contents(folder.Path() + "FLT.DAT"), image);
    EXPECT_THROW(CopyFileContents(folder.Path() + "gone", folder.Path() + "x", RealFileLayer()),
                 FileError);
    EXPECT_FALSE(std::filesystem::exists(folder.Path() + "x"));
}

}  // namespace
}  // namespace orvale
