#pragma once

// Stream buffers over file descriptors, for vantrel-solve's standard input and
// output. Unlike the standard streams they keep the system's reason when a
// read or write fails, and they decide when output is flushed.

#include <array>
#include <cstddef>
#include <ios>
#include <ostream>
#include <streambuf>
#include <string>

namespace vantrel::cli {

class SystemBuffer : public std::streambuf {
 public:
  // The errno of the read or write that failed; 0 while none has.
  int error() const { return error_; }

 protected:
  int error_ = 0;
};

// Reads a file descriptor. A failed read ends the input; error() says why.
class FileInput : public SystemBuffer {
 public:
  // Before each read that may wait for more input, tie (when given) is flushed,
  // so that whoever writes a line at a time gets each answer before sending the next.
  explicit FileInput(int fd, std::ostream* tie = nullptr) : fd_(fd), tie_(tie) {}

 protected:
  int_type underflow() override;

 private:
  int fd_;
  std::ostream* tie_;
  std::array<char, 64 * 1024> buffer_{};
};

// Writes to a file descriptor: when the buffer is full, or at the end of every
// line when lineBuffered. After a failed write it drops everything it is given.
class FileOutput : public SystemBuffer {
 public:
  FileOutput(int fd, bool lineBuffered);
  ~FileOutput() override;
  FileOutput(const FileOutput&) = delete;
  FileOutput& operator=(const FileOutput&) = delete;

  // Line buffered exactly when fd is a terminal.
  static bool isTerminal(int fd);

 protected:
  int_type overflow(int_type c) override;
  std::streamsize xsputn(const char* s, std::streamsize n) override;
  int sync() override;

 private:
  bool writeAll(const char* data, std::size_t size);
  bool drain();

  int fd_;
  bool lineBuffered_;
  std::array<char, 64 * 1024> buffer_{};
};

// Why a stream over a SystemBuffer failed, in the system's words; a plain
// "read error" or "write error" for any other stream.
std::string failureReason(const std::ios& stream, bool reading);

}  // namespace vantrel::cli
