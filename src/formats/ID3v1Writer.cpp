#include "ID3v1Writer.h"
#include "UniqueFd.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <span>

namespace {

void PutText(std::array<std::uint8_t, kID3v1BlockSize>& block, std::size_t at, const std::string& text,
             std::size_t width) {
  for (std::size_t i = 0; i < width && i < text.size(); ++i) block[at + i] = static_cast<std::uint8_t>(text[i]);
}


// Writes all of bytes at pos; false on an error or when nothing more goes out.
bool WriteAllAt(int fd, std::span<const std::uint8_t> bytes, off_t pos) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::pwrite(fd, bytes.data() + done, bytes.size() - done, pos + static_cast<off_t>(done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
}

bool ReadAllAt(int fd, std::span<std::uint8_t> bytes, off_t pos) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::pread(fd, bytes.data() + done, bytes.size() - done, pos + static_cast<off_t>(done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
}

}  // namespace

std::array<std::uint8_t, kID3v1BlockSize> BuildID3v1Block(const ID3v1Fields& fields) {
  std::array<std::uint8_t, kID3v1BlockSize> block{};
  block[0] = 'T';
  block[1] = 'A';
  block[2] = 'G';
  PutText(block, 3, fields.Title, 30);
  PutText(block, 33, fields.Artist, 30);
  PutText(block, 63, fields.Album, 30);
  PutText(block, 93, fields.Year, 4);
  if (fields.Track) {
    // ID3v1.1: the comment gives up its last two bytes to the zero separator
    // at 125 (already zero) and the track at 126.
    PutText(block, 97, fields.Comment, 28);
    block[126] = *fields.Track;
  } else {
    PutText(block, 97, fields.Comment, 30);
  }
  block[127] = GenreByteOf(fields.GenreName);
  return block;
}

ID3v1WriteResult WriteID3v1Block(const std::string& FileName, const std::array<std::uint8_t, kID3v1BlockSize>& block,
                                 bool fileEndsWithTag) {
  // Only regular files: a FIFO or a device must not even be opened for writing.
  struct stat st {};
  if (::stat(FileName.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return ID3v1WriteResult::OpenFailed;

  const UniqueFd fd(::open(FileName.c_str(), O_RDWR | O_CLOEXEC));
  if (fd.get() < 0) return ID3v1WriteResult::OpenFailed;
  // Exclusive: another writer holding the file makes this one give up rather
  // than interleave two blocks.
  if (::flock(fd.get(), LOCK_EX | LOCK_NB) != 0) return ID3v1WriteResult::OpenFailed;
  // The size under the lock is the one that counts; the name could also have
  // been replaced between stat and open.
  if (::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode)) return ID3v1WriteResult::OpenFailed;
  const off_t size = st.st_size;
  constexpr auto kBlock = static_cast<off_t>(kID3v1BlockSize);

  if (fileEndsWithTag) {
    if (size < kBlock) return ID3v1WriteResult::WriteFailed;
    const off_t at = size - kBlock;
    // Keep the old block so that a failed overwrite can be undone.
    std::array<std::uint8_t, kID3v1BlockSize> old{};
    if (!ReadAllAt(fd.get(), old, at)) return ID3v1WriteResult::WriteFailed;
    if (!WriteAllAt(fd.get(), block, at)) {
      WriteAllAt(fd.get(), old, at);
      return ID3v1WriteResult::WriteFailed;
    }
    return ID3v1WriteResult::Ok;
  }

  if (!WriteAllAt(fd.get(), block, size)) {
    // Never leave a partial block behind: cut the file back to what it was.
    if (::ftruncate(fd.get(), size) != 0) { /* nothing more can be done */ }
    return ID3v1WriteResult::WriteFailed;
  }
  return ID3v1WriteResult::Ok;
}
