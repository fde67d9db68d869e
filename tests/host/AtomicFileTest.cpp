#include <sys/stat.h>

#include <gtest/gtest.h>

#include "host/AtomicFile.h"
#include "support/TestFiles.h"

TEST(AtomicFile, AReplacedFileKeepsItsAccessAndItsLink) {
  TempDir dir;
  auto real = dir / "real.ini";
  writeFile(real, "old");
  chmod(real.c_str(), 0640);
  std::filesystem::create_symlink(real, dir / "link.ini");

  host::AtomicFile::write(dir / "link.ini", "new");

  EXPECT_TRUE(std::filesystem::is_symlink(dir / "link.ini"));
  EXPECT_EQ(readFile(real), "new");
  struct stat info {};
  ASSERT_EQ(stat(real.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0640u);
  EXPECT_EQ(dir.entries(), (std::vector<std::string>{"link.ini", "real.ini"}));
}

TEST(AtomicFile, WritingIntoAMissingFolderCreatesIt) {
  TempDir dir;
  host::AtomicFile::write(dir / "a" / "b" / "file.txt", "content");
  EXPECT_EQ(host::AtomicFile::read(dir / "a" / "b" / "file.txt"), "content");
  EXPECT_EQ(host::AtomicFile::read(dir / "absent.txt"), std::nullopt);
}
