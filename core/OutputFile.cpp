// Checked writes over a C stream.
#include "core/OutputFile.h"

#include <cerrno>
#include <cstring>

namespace ordonna {
namespace {

Status ErrnoStatus(std::string_view what, const std::string& path) {
  return Status::IoError(what, path + " (" + std::strerror(errno) + ")");
}

}  // namespace

OutputFile::~OutputFile() {
  if (file_ != nullptr) std::fclose(file_);
}

Status OutputFile::Create(const std::string& path) {
  if (file_ != nullptr) std::fclose(file_);
  path_ = path;
  file_ = std::fopen(path.c_str(), "wb");
  if (file_ == nullptr) return ErrnoStatus("Cannot create file", path);
  return Status::Ok();
}

Status OutputFile::Write(const void* data, std::size_t size) {
  if (file_ == nullptr) return Status::IoError("File is not open", path_);
  if (size != 0 && std::fwrite(data, 1, size, file_) != size) return ErrnoStatus("Cannot write file", path_);
  return Status::Ok();
}

Status OutputFile::Close() {
  if (file_ == nullptr) return Status::IoError("File is not open", path_);
  std::FILE* file = file_;
  file_ = nullptr;
  bool failed = std::ferror(file) != 0;
  if (std::fclose(file) != 0 || failed) return ErrnoStatus("Cannot write file", path_);
  return Status::Ok();
}

Status CreateForWriting(const std::string& path, OutputFile& file) {
  Status first = file.Create(path);
  if (first.ok()) return first;
  return file.Create(path);
}

}  // namespace ordonna
