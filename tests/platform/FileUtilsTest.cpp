#include "platform/os/FileUtils.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <string>

#include "TestSupport.h"

using testsupport::TTempFolder;
using testsupport::WriteFile;

namespace {

struct NameCase {
  std::string Name, Path, Dir, File, Ext, Drive;
};

}  // namespace

TEST(FileUtils, NamesSplitIntoPathFileExtensionAndDrive) {
  const NameCase Cases[] = {
      // name                  path           dir           file        ext      drive
      {"/opt/tandrel/a.txt", "/opt/tandrel/", "/opt/tandrel", "a.txt", ".txt", ""},
      {"/opt/tandrel/", "/opt/tandrel/", "/opt/tandrel", "", "", ""},
      {"a.tar.gz", "", "", "a.tar.gz", ".gz", ""},
      {"noext", "", "", "noext", "", ""},
      {"/dir.d/file", "/dir.d/", "/dir.d", "file", "", ""},
      {"/.bashrc", "/", "/", ".bashrc", ".bashrc", ""},
      {"/file", "/", "/", "file", "", ""},
      {"D:\\Data\\In.DAT", "D:\\Data\\", "D:\\Data", "In.DAT", ".DAT", "D:"},
      {"D:\\x", "D:\\", "D:\\", "x", "", "D:"},
      {"D:x.txt", "D:", "D:", "x.txt", ".txt", "D:"},
      {"//server/share/dir/f.ini", "//server/share/dir/", "//server/share/dir", "f.ini", ".ini", "//server/share"},
      {"\\\\server\\share\\f.ini", "\\\\server\\share\\", "\\\\server\\share", "f.ini", ".ini", "\\\\server\\share"},
      {"//server/share", "//server/", "//server", "share", "", "//server/share"},
      {"//server", "//", "//", "server", "", "//server"},
      {"", "", "", "", "", ""},
  };
  for (const auto& C : Cases) {
    EXPECT_EQ(ExtractFilePath(C.Name), C.Path) << C.Name;
    EXPECT_EQ(ExtractFileDir(C.Name), C.Dir) << C.Name;
    EXPECT_EQ(ExtractFileName(C.Name), C.File) << C.Name;
    EXPECT_EQ(ExtractFileExt(C.Name), C.Ext) << C.Name;
    EXPECT_EQ(ExtractFileDrive(C.Name), C.Drive) << C.Name;
  }
}

TEST(FileUtils, ChangeFileExtReplacesOrAddsTheExtension) {
  const struct {
    std::string Name, Ext, Expected;
  } Cases[] = {
      {"/a/b.txt", ".bak", "/a/b.bak"},
      {"/a/b", ".so", "/a/b.so"},
      {"/a.d/b", ".so", "/a.d/b.so"},
      {"b.tar.gz", "", "b.tar"},
      {"QVXB27C.dll", ".so", "QVXB27C.so"},
  };
  for (const auto& C : Cases) EXPECT_EQ(ChangeFileExt(C.Name, C.Ext), C.Expected) << C.Name;
}

TEST(FileUtils, TrailingDelimitersAreAddedAndRemoved) {
  const struct {
    std::string Path, Included, Excluded;
  } Cases[] = {
      {"/tmp", "/tmp/", "/tmp"}, {"/tmp/", "/tmp/", "/tmp"}, {"", "/", ""},
      {"/", "/", ""},            {"a\\", "a\\", "a"},         {"/tmp//", "/tmp//", "/tmp/"},
  };
  for (const auto& C : Cases) {
    EXPECT_EQ(IncludeTrailingPathDelimiter(C.Path), C.Included) << C.Path;
    EXPECT_EQ(ExcludeTrailingPathDelimiter(C.Path), C.Excluded) << C.Path;
  }
}

TEST(FileUtils, ConfiguredPathsFollowTheDesignRule) {
  const struct {
    std::string Base, Configured, Expected;
  } Cases[] = {
      {"/opt/tandrel/", "\\data\\in.txt", "/opt/tandrel/data/in.txt"},
      {"/opt/tandrel", "\\data\\in.txt", "/opt/tandrel/data/in.txt"},
      {"/opt/tandrel/", "\\", "/opt/tandrel/"},
      {"/opt/tandrel/", "\\/data", "/opt/tandrel/data"},
      {"C:\\Tandrel\\", "\\data", "C:/Tandrel/data"},
      {"", "\\data", "data"},
      {"/opt/tandrel/", "/var/lib/x", "/var/lib/x"},
      {"/opt/tandrel/", "D:\\Data\\x", "D:/Data/x"},
      {"/opt/tandrel/", "\\\\server\\share\\x", "//server/share/x"},
      {"/opt/tandrel/", "//server/share/x", "//server/share/x"},
      {"/opt/tandrel/", "relative\\x", "relative/x"},
      {"/opt/tandrel/", "", ""},
  };
  for (const auto& C : Cases)
    EXPECT_EQ(ResolveConfiguredPath(C.Base, C.Configured), C.Expected) << C.Base << " + " << C.Configured;
}

TEST(FileUtils, ExpandFileNameMakesNamesAbsolute) {
  char Cwd[4096];
  ASSERT_NE(getcwd(Cwd, sizeof Cwd), nullptr);
  const std::string Here = IncludeTrailingPathDelimiter(Cwd);
  const struct {
    std::string Name, Expected;
  } Cases[] = {
      {"/a/b/../c", "/a/c"}, {"/a/./b", "/a/b"}, {"/a/b/", "/a/b/"}, {"/..", "/"},
      {"x.txt", Here + "x.txt"}, {"", ""},
  };
  for (const auto& C : Cases) EXPECT_EQ(ExpandFileName(C.Name), C.Expected) << C.Name;
}

TEST(FileUtils, FilesAndFoldersAreMadeFoundAndDeleted) {
  TTempFolder Folder;
  const std::string Deep = Folder / "a/b/c";
  EXPECT_FALSE(DirectoryExists(Deep));
  EXPECT_TRUE(ForceDirectories(Deep));
  EXPECT_TRUE(DirectoryExists(Deep));
  EXPECT_TRUE(DirectoryExists(Deep + "/"));
  EXPECT_TRUE(ForceDirectories(Deep + "/"));  // already there
  EXPECT_FALSE(FileExists(Deep));  // a folder is not a file

  const std::string File = Folder / "a/file.txt";
  EXPECT_FALSE(FileExists(File));
  WriteFile(File, "x");
  EXPECT_TRUE(FileExists(File));
  EXPECT_FALSE(DirectoryExists(File));
  EXPECT_FALSE(ForceDirectories(File + "/sub"));  // a file is in the way
  EXPECT_FALSE(ForceDirectories(""));

  EXPECT_FALSE(DeleteFile(Folder / "a"));  // not a file
  EXPECT_TRUE(DeleteFile(File));
  EXPECT_FALSE(FileExists(File));
  EXPECT_FALSE(DeleteFile(File));
  EXPECT_FALSE(FileExists(""));
  EXPECT_FALSE(DirectoryExists(""));
}
