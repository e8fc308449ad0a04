#include "graph/grid_table.h"

#include <sys/mman.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <new>

namespace quillon {

namespace {

// From this size on a buffer is mapped pages of its own: huge pages can back it, and giving it
// back returns the memory to the system at once.
constexpr size_t kMappedBytes = size_t{2} << 20;
// The size and alignment of a huge page. The system backs only whole, aligned huge pages with
// them, so a mapped buffer starts on a boundary and spans whole huge pages: one fault fills
// 2 MB instead of 512 faults of 4 KB each, which on a large table is most of its first touch.
constexpr size_t kHugePage = size_t{2} << 20;

}  // namespace

FloatBuffer::FloatBuffer(size_t count) : capacity_(count) {
  const size_t bytes = std::max<size_t>(count, 1) * sizeof(float);
  if (bytes < kMappedBytes) {
    data_ = static_cast<float*>(::operator new(bytes));
    return;
  }
  const size_t length = (bytes + kHugePage - 1) & ~(kHugePage - 1);
  // One huge page more than needed, so that a boundary lies within the first one; the parts
  // before the boundary and after the buffer go back at once.
  void* p = mmap(nullptr, length + kHugePage, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (p == MAP_FAILED) throw std::bad_alloc();
  const auto start = reinterpret_cast<uintptr_t>(p);
  const uintptr_t aligned = (start + kHugePage - 1) & ~static_cast<uintptr_t>(kHugePage - 1);
  const size_t head = aligned - start;
  if (head != 0) munmap(p, head);
  if (kHugePage - head != 0) munmap(reinterpret_cast<void*>(aligned + length), kHugePage - head);
  data_ = reinterpret_cast<float*>(aligned);
#ifdef MADV_HUGEPAGE
  madvise(data_, length, MADV_HUGEPAGE);  // a request; where the system does not allow it, nothing changes
#endif
  mappedBytes_ = length;
}

FloatBuffer::~FloatBuffer() {
  if (mappedBytes_ != 0)
    munmap(data_, mappedBytes_);
  else
    ::operator delete(data_);
}

void GridTable::SetLayout(Layout layout) {
  layout_ = layout;
  switch (layout) {
    case Layout::kDense:
      strideK_ = static_cast<size_t>(rows_);
      strideJ_ = 1;
      break;
    case Layout::kAlongK:
      strideK_ = 1;
      strideJ_ = 0;
      break;
    case Layout::kAlongJ:
      strideK_ = 0;
      strideJ_ = 1;
      break;
    case Layout::kConstant:
      strideK_ = strideJ_ = 0;
      break;
  }
}

float* GridTable::OwnStorage(size_t count) {
  // Reused when unshared and not more than twice too large, so a smaller grid gives memory back.
  if (!storage_ || storage_.use_count() != 1 || storage_->capacity() < count ||
      storage_->capacity() / 2 > count + 1) {
    storage_.reset();  // the old memory goes before the new is taken
    storage_ = std::make_shared<FloatBuffer>(count);
  }
  return storage_->data();
}

void GridTable::ResizeForWriting(int32_t stepU, int32_t stepV) {
  columns_ = stepU + 1;
  rows_ = stepV + 1;
  OwnStorage(size());
  SetLayout(Layout::kDense);
}

void GridTable::SetConstant(int32_t stepU, int32_t stepV, float value) {
  columns_ = stepU + 1;
  rows_ = stepV + 1;
  *OwnStorage(1) = value;
  SetLayout(Layout::kConstant);
}

void GridTable::SetAxisK(int32_t stepU, int32_t stepV, const float* values) {
  columns_ = stepU + 1;
  rows_ = stepV + 1;
  std::memcpy(OwnStorage(static_cast<size_t>(columns_)), values,
              static_cast<size_t>(columns_) * sizeof(float));
  SetLayout(Layout::kAlongK);
}

void GridTable::SetAxisJ(int32_t stepU, int32_t stepV, const float* values) {
  columns_ = stepU + 1;
  rows_ = stepV + 1;
  std::memcpy(OwnStorage(static_cast<size_t>(rows_)), values, static_cast<size_t>(rows_) * sizeof(float));
  SetLayout(Layout::kAlongJ);
}

void GridTable::Clear() {
  columns_ = rows_ = 0;
  storage_.reset();
  SetLayout(Layout::kConstant);
}

GridView GridTable::View() const {
  return GridView{storage_ ? storage_->data() : nullptr, strideK_, strideJ_, columns_, rows_};
}

void GridTable::MakeDense() const {
  if (layout_ == Layout::kDense) return;
  auto dense = std::make_shared<FloatBuffer>(size());
  float* out = dense->data();
  const GridView from = View();
  for (int32_t k = 0; k < columns_; ++k) {
    for (int32_t j = 0; j < rows_; ++j) *out++ = from(k, j);
  }
  storage_ = std::move(dense);
  layout_ = Layout::kDense;
  strideK_ = static_cast<size_t>(rows_);
  strideJ_ = 1;
}

float* GridTable::OwnDense() {
  MakeDense();
  if (storage_.use_count() > 1) {
    auto own = std::make_shared<FloatBuffer>(size());
    std::memcpy(own->data(), storage_->data(), size() * sizeof(float));
    storage_ = std::move(own);
  }
  return storage_->data();
}

const float* GridTable::data() const {
  if (Empty()) return nullptr;
  MakeDense();
  return storage_->data();
}

}  // namespace quillon
