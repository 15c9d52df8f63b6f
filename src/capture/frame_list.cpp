#include "capture/frame_list.h"

#include <sys/mman.h>

#include <algorithm>
#include <cstring>
#include <new>

namespace krvl2 {

namespace {

constexpr std::size_t kFirstBlock = 1 << 16;
constexpr std::size_t kLargestBlock = 1 << 26;
// Memory is made present this much at a time ahead of the texts written into
// it: one call for many pages costs the kernel far less than a fault for each.
constexpr std::size_t kPopulateStep = 1 << 21;
#ifndef MADV_POPULATE_WRITE
#define MADV_POPULATE_WRITE 23
#endif

}  // namespace

FrameList::Block::~Block() {
  if (data) ::munmap(data, size);
}

void FrameList::addBlock(std::size_t atLeast) {
  // Blocks grow with the list, so that a small capture takes little memory
  // and a large one few blocks.
  std::size_t size = std::clamp(allocated_, kFirstBlock, kLargestBlock);
  size = std::max(size, atLeast);
  void* memory = ::mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (memory == MAP_FAILED) throw std::bad_alloc();
  blocks_.emplace_back(static_cast<char*>(memory), size);
  allocated_ += size;
  blockUsed_ = 0;
  blockCapacity_ = size;
  blockPopulated_ = 0;
}

void FrameList::clear() {
  blocks_.clear();
  blocks_.shrink_to_fit();
  entries_.clear();
  entries_.shrink_to_fit();
  allocated_ = 0;
  blockUsed_ = 0;
  blockCapacity_ = 0;
  blockPopulated_ = 0;
}

void FrameList::append(std::string_view text) {
  if (text.empty()) {
    entries_.emplace_back();
    return;
  }
  // A frame never straddles two blocks.
  if (blockCapacity_ - blockUsed_ < text.size()) addBlock(text.size());
  char* place = blocks_.back().data + blockUsed_;
  if (blockUsed_ + text.size() > blockPopulated_) {
    // Where the system cannot do this, the pages arrive one fault at a time.
    const auto end = std::min(blockCapacity_, std::max(blockPopulated_ + kPopulateStep, blockUsed_ + text.size()));
    ::madvise(blocks_.back().data + blockPopulated_, end - blockPopulated_, MADV_POPULATE_WRITE);
    blockPopulated_ = end;
  }
  std::memcpy(place, text.data(), text.size());
  blockUsed_ += text.size();
  entries_.emplace_back(place, text.size());
}

std::string_view FrameList::at(std::int64_t index) const {
  if (index < 0 || static_cast<std::uint64_t>(index) >= entries_.size()) return {};
  return entries_[static_cast<std::size_t>(index)];
}

}  // namespace krvl2
