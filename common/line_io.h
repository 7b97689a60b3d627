// Streaming text lines. A line ends at LF, and a CR just before the LF belongs
// to the line end; a last line without LF is still a line. Lines have no length
// limit here: callers cut where a value is held as a short text.
//
// A reader of series files also takes the CR alone that old Mac files end
// their lines with (LineEnds::kAlsoLoneCr): when the file's first line end is
// such a CR, every CR LF, CR and LF ends a line. A file whose first line ends
// at a LF is read exactly as without it.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "common/env.h"

namespace rain {

enum class LineEnds { kLf, kAlsoLoneCr };

class LineReader {
 public:
  explicit LineReader(std::unique_ptr<ReadableFile> file, LineEnds ends = LineEnds::kLf);

  // The next line into `line`; false (and `line` empty) past the end, so that a
  // read after the end yields an empty line, as the old text files did.
  bool read_line(std::string& line);
  std::string read_line();
  // The next line as a view into the reader's buffer, good until the next
  // read; false (and an empty view) past the end.
  bool read_view(std::string_view& line);
  // The line the read before the last one gave, as a view into the buffer,
  // good until the next read: the reader keeps it there, so that a caller can
  // compare a line with the one before without a copy. Empty before two reads.
  std::string_view line_before() const {
    return std::string_view(buffer_.data() + before_begin_, before_size_);
  }

  // No byte is left.
  bool at_end();
  // No byte is left, or the next line starts with the end-of-file mark 0x1A.
  bool at_end_or_eof_mark();
  // A read error was met (the reader then behaves as at the end).
  bool failed() const { return file_->failed(); }

 private:
  enum class Ends { kUndecided, kLf, kAny };

  bool fill();
  void decide_line_ends();
  bool read_view_at_lf(std::string_view& line);
  bool read_view_at_any_end(std::string_view& line);

  std::unique_ptr<ReadableFile> file_;
  Ends ends_;
  std::vector<char> buffer_;
  std::size_t begin_ = 0;
  std::size_t end_ = 0;
  // Where the lines of the last two reads lie in the buffer.
  std::size_t last_begin_ = 0;
  std::size_t last_size_ = 0;
  std::size_t before_begin_ = 0;
  std::size_t before_size_ = 0;
  bool exhausted_ = false;
};

// Writes lines ending with CR LF. Any failed write is remembered and reported
// by close().
class LineWriter {
 public:
  explicit LineWriter(std::unique_ptr<WritableFile> file);
  ~LineWriter();

  void write_line(std::string_view line);
  void write(std::string_view text);
  // Flushes and closes; false when any write failed.
  bool close();
  bool ok() const { return ok_; }

 private:
  void flush();

  std::unique_ptr<WritableFile> file_;
  std::string pending_;  // the buffer, of a fixed size
  std::size_t used_ = 0;
  bool ok_ = true;
  bool closed_ = false;
};

// Opens a file for reading through `env`; nullptr when it cannot be opened.
std::unique_ptr<LineReader> open_lines(Env& env, const std::string& path, LineEnds ends = LineEnds::kLf);
// Creates (or empties) a file for writing lines; nullptr on failure.
std::unique_ptr<LineWriter> create_lines(Env& env, const std::string& path);
std::unique_ptr<LineWriter> append_lines(Env& env, const std::string& path);

}  // namespace rain
