#include "cli/system_streams.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace vantrel::cli {

FileInput::int_type FileInput::underflow() {
  if (gptr() < egptr()) return traits_type::to_int_type(*gptr());
  if (error_ != 0) return traits_type::eof();
  if (tie_ != nullptr) tie_->flush();
  ssize_t count;
  do {
    count = ::read(fd_, buffer_.data(), buffer_.size());
  } while (count < 0 && errno == EINTR);
  if (count < 0) {
    error_ = errno;
    return traits_type::eof();
  }
  if (count == 0) return traits_type::eof();
  setg(buffer_.data(), buffer_.data(), buffer_.data() + count);
  return traits_type::to_int_type(*gptr());
}

FileOutput::FileOutput(int fd, bool lineBuffered) : fd_(fd), lineBuffered_(lineBuffered) {
  setp(buffer_.data(), buffer_.data() + buffer_.size());
}

FileOutput::~FileOutput() {
  drain();
}

bool FileOutput::isTerminal(int fd) {
  return ::isatty(fd) == 1;
}

bool FileOutput::writeAll(const char* data, std::size_t size) {
  while (size > 0 && error_ == 0) {
    const ssize_t written = ::write(fd_, data, size);
    if (written < 0) {
      if (errno != EINTR) error_ = errno;
      continue;
    }
    data += written;
    size -= static_cast<std::size_t>(written);
  }
  return error_ == 0;
}

bool FileOutput::drain() {
  const auto pending = static_cast<std::size_t>(pptr() - pbase());
  setp(buffer_.data(), buffer_.data() + buffer_.size());
  return pending == 0 || writeAll(buffer_.data(), pending);
}

FileOutput::int_type FileOutput::overflow(int_type c) {
  if (!drain()) return traits_type::eof();
  if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
  *pptr() = traits_type::to_char_type(c);
  pbump(1);
  if (lineBuffered_ && traits_type::to_char_type(c) == '\n' && !drain()) return traits_type::eof();
  return c;
}

std::streamsize FileOutput::xsputn(const char* s, std::streamsize n) {
  if (error_ != 0) return 0;
  const auto size = static_cast<std::size_t>(n);
  if (size > static_cast<std::size_t>(epptr() - pptr())) {
    if (!drain()) return 0;
    // Too large for the buffer: it goes out as it is.
    if (size >= buffer_.size()) return writeAll(s, size) ? n : 0;
  }
  std::memcpy(pptr(), s, size);
  pbump(static_cast<int>(size));
  if (lineBuffered_ && std::memchr(s, '\n', size) != nullptr && !drain()) return 0;
  return n;
}

int FileOutput::sync() {
  return drain() ? 0 : -1;
}

std::string failureReason(const std::ios& stream, bool reading) {
  const auto* buffer = dynamic_cast<const SystemBuffer*>(stream.rdbuf());
  if (buffer != nullptr && buffer->error() != 0) return std::strerror(buffer->error());
  return reading ? "read error" : "write error";
}

}  // namespace vantrel::cli
