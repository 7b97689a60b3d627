#include "common/line_io.h"

#include <algorithm>
#include <cstring>

namespace rain {
namespace {
// Large enough that reads and writes cost little beside the bytes; small
// enough that the four files the resampling holds open stay within a few MB.
// The fuzz build (RAIN_SMALL_BUFFERS) makes them a few bytes, so that its
// short inputs cross block ends and grow the read buffer, and a run costs no
// large allocation.
#ifdef RAIN_SMALL_BUFFERS
constexpr std::size_t kBlock = 61;
#else
constexpr std::size_t kBlock = 1 << 18;
#endif
constexpr std::size_t kReadChunk = kBlock;
constexpr std::size_t kWriteChunk = kBlock;
}  // namespace

LineReader::LineReader(std::unique_ptr<ReadableFile> file, LineEnds ends)
    : file_(std::move(file)), ends_(ends == LineEnds::kLf ? Ends::kLf : Ends::kUndecided), buffer_(kReadChunk) {}

bool LineReader::fill() {
  if (exhausted_) return false;
  // The line the last read gave stays: after the next read it is the line
  // before.
  const std::size_t keep = last_begin_;
  if (keep > 0) {
    std::memmove(buffer_.data(), buffer_.data() + keep, end_ - keep);
    end_ -= keep;
    begin_ -= keep;
    last_begin_ = 0;
    before_begin_ = 0;
    before_size_ = 0;
  }
  if (end_ == buffer_.size()) buffer_.resize(buffer_.size() * 2);
  std::size_t got = file_->read(buffer_.data() + end_, buffer_.size() - end_);
  if (got == 0) {
    exhausted_ = true;
    return false;
  }
  end_ += got;
  return true;
}

bool LineReader::read_line(std::string& line) {
  std::string_view view;
  const bool got = read_view(view);
  line.assign(view);
  return got;
}

void LineReader::decide_line_ends() {
  ends_ = Ends::kLf;
  std::size_t scanned = begin_;
  for (;;) {
    for (; scanned < end_; ++scanned) {
      if (buffer_[scanned] == '\n') return;
      if (buffer_[scanned] != '\r') continue;
      if (scanned + 1 == end_) {
        const std::size_t offset = scanned - begin_;
        if (!fill()) {
          ends_ = Ends::kAny;
          return;
        }
        scanned = begin_ + offset;
      }
      if (buffer_[scanned + 1] != '\n') ends_ = Ends::kAny;
      return;
    }
    const std::size_t offset = scanned - begin_;
    if (!fill()) return;
    scanned = begin_ + offset;
  }
}

bool LineReader::read_view_at_any_end(std::string_view& line) {
  std::size_t scanned = begin_;
  for (;;) {
    for (; scanned < end_; ++scanned) {
      const char c = buffer_[scanned];
      if (c != '\n' && c != '\r') continue;
      // Whether a LF follows the CR.
      if (c == '\r' && scanned + 1 == end_) {
        const std::size_t offset = scanned - begin_;
        fill();
        scanned = begin_ + offset;
      }
      line = std::string_view(buffer_.data() + begin_, scanned - begin_);
      begin_ = scanned + 1;
      if (c == '\r' && begin_ < end_ && buffer_[begin_] == '\n') ++begin_;
      return true;
    }
    const std::size_t offset = scanned - begin_;
    if (!fill()) {
      line = std::string_view(buffer_.data() + begin_, end_ - begin_);
      begin_ = end_;
      return true;
    }
    scanned = begin_ + offset;
  }
}

bool LineReader::read_view(std::string_view& line) {
  line = {};
  if (at_end()) return false;
  if (ends_ == Ends::kUndecided) decide_line_ends();
  if (ends_ == Ends::kAny) {
    read_view_at_any_end(line);
  } else {
    read_view_at_lf(line);
  }
  before_begin_ = last_begin_;
  before_size_ = last_size_;
  last_begin_ = static_cast<std::size_t>(line.data() - buffer_.data());
  last_size_ = line.size();
  return true;
}

bool LineReader::read_view_at_lf(std::string_view& line) {
  std::size_t scanned = begin_;
  for (;;) {
    const char* start = buffer_.data() + scanned;
    const void* lf = std::memchr(start, '\n', end_ - scanned);
    if (lf) {
      std::size_t stop = static_cast<std::size_t>(static_cast<const char*>(lf) - buffer_.data());
      std::size_t content_end = stop;
      if (content_end > begin_ && buffer_[content_end - 1] == '\r') --content_end;
      line = std::string_view(buffer_.data() + begin_, content_end - begin_);
      begin_ = stop + 1;
      return true;
    }
    scanned = end_;
    std::size_t offset = scanned - begin_;
    if (!fill()) {
      line = std::string_view(buffer_.data() + begin_, end_ - begin_);
      begin_ = end_;
      return true;
    }
    scanned = begin_ + offset;
  }
}

std::string LineReader::read_line() {
  std::string line;
  read_line(line);
  return line;
}

bool LineReader::at_end() {
  if (begin_ < end_) return false;
  return !fill();
}

bool LineReader::at_end_or_eof_mark() {
  if (at_end()) return true;
  return buffer_[begin_] == '\x1a';
}

LineWriter::LineWriter(std::unique_ptr<WritableFile> file) : file_(std::move(file)), pending_(kWriteChunk, '\0') {}

LineWriter::~LineWriter() {
  if (closed_) return;
  // Nothing may leave a destructor: an Env whose writes throw (the in-memory
  // one of the fuzz targets stops a run that way) would end the process here.
  try {
    close();
  } catch (...) {
  }
}

void LineWriter::write(std::string_view text) {
  if (used_ + text.size() > pending_.size()) {
    flush();
    // A text larger than the whole buffer goes straight to the file.
    if (text.size() > pending_.size()) {
      if (!file_->append(text)) ok_ = false;
      return;
    }
  }
  std::memcpy(pending_.data() + used_, text.data(), text.size());
  used_ += text.size();
}

void LineWriter::write_line(std::string_view line) {
  if (used_ + line.size() + 2 > pending_.size()) {
    write(line);
    write("\r\n");
    return;
  }
  char* at = pending_.data() + used_;
  std::memcpy(at, line.data(), line.size());
  at[line.size()] = '\r';
  at[line.size() + 1] = '\n';
  used_ += line.size() + 2;
}

void LineWriter::flush() {
  if (used_ == 0) return;
  if (!file_->append(std::string_view(pending_.data(), used_))) ok_ = false;
  used_ = 0;
}

bool LineWriter::close() {
  if (closed_) return ok_;
  flush();
  if (!file_->close()) ok_ = false;
  closed_ = true;
  return ok_;
}

std::unique_ptr<LineReader> open_lines(Env& env, const std::string& path, LineEnds ends) {
  auto file = env.open_read(path);
  if (!file) return nullptr;
  return std::make_unique<LineReader>(std::move(file), ends);
}

std::unique_ptr<LineWriter> create_lines(Env& env, const std::string& path) {
  auto file = env.create(path);
  if (!file) return nullptr;
  return std::make_unique<LineWriter>(std::move(file));
}

std::unique_ptr<LineWriter> append_lines(Env& env, const std::string& path) {
  auto file = env.open_append(path);
  if (!file) return nullptr;
  return std::make_unique<LineWriter>(std::move(file));
}

}  // namespace rain
