// An ordered list of frame texts: empty it, append, read by index from 0.
//
// Reading at or past the end (or before the start) gives the empty text, never
// an error. Entries read back whole, however long. The texts live in large
// blocks rather than one allocation each, so that a capture of millions of
// frames costs little more than its characters.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace krvl2 {

class FrameList {
 public:
  FrameList() = default;
  FrameList(FrameList&&) noexcept = default;
  FrameList& operator=(FrameList&&) noexcept = default;

  void clear();
  void append(std::string_view text);
  std::string_view at(std::int64_t index) const;
  std::size_t size() const { return entries_.size(); }
  bool empty() const { return entries_.empty(); }

 private:
  // Blocks are mapped memory; each is unmapped when the list goes.
  struct Block {
    char* data = nullptr;
    std::size_t size = 0;
    Block(char* d, std::size_t s) : data(d), size(s) {}
    Block(Block&& other) noexcept : data(other.data), size(other.size) { other.data = nullptr; }
    Block& operator=(Block&&) = delete;
    ~Block();
  };
  void addBlock(std::size_t atLeast);

  std::vector<Block> blocks_;
  std::size_t allocated_ = 0;
  std::size_t blockUsed_ = 0;
  std::size_t blockCapacity_ = 0;
  std::size_t blockPopulated_ = 0;
  std::vector<std::string_view> entries_;
};

}  // namespace krvl2
