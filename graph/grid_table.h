#pragma once
// A two-dimensional table of singles indexed (k, j), k = 0..StepU and j = 0..StepV, both
// bounds inclusive, k-major: the j values of one k are contiguous.
//
// A table stores only what it needs: every value (dense), one value per k (an axis along k:
// value (k, j) is the k-th), one value per j (an axis along j), or one value for all. The
// sampled x and y are axes and the tables of code 0 are a constant, so a sampled grid keeps
// three dense tables (u, v, |w|). Reading through at(k, j) or View() works for every layout;
// writing (the non-const at() and data()) first gives the table dense values of its own.

#include <cstddef>
#include <cstdint>
#include <memory>

namespace quillon {

// Floats in one allocation that is not zero-filled by us. Large ones are mapped pages that
// ask the system for huge pages (fewer page faults and TLB misses when a grid is written).
class FloatBuffer {
 public:
  explicit FloatBuffer(size_t count);
  ~FloatBuffer();
  FloatBuffer(const FloatBuffer&) = delete;
  FloatBuffer& operator=(const FloatBuffer&) = delete;

  float* data() { return data_; }
  const float* data() const { return data_; }
  size_t capacity() const { return capacity_; }

 private:
  float* data_ = nullptr;
  size_t capacity_ = 0;
  size_t mappedBytes_ = 0;  // 0: from operator new
};

// Read access to a table of any layout: value (k, j) is base[k * strideK + j * strideJ].
struct GridView {
  const float* base = nullptr;
  size_t strideK = 0;
  size_t strideJ = 0;
  int32_t columns = 0;  // StepU + 1
  int32_t rows = 0;     // StepV + 1

  float operator()(int32_t k, int32_t j) const {
    return base[static_cast<size_t>(k) * strideK + static_cast<size_t>(j) * strideJ];
  }
  float at(int32_t k, int32_t j) const { return (*this)(k, j); }
  size_t size() const { return static_cast<size_t>(columns) * static_cast<size_t>(rows); }
  bool Dense() const { return strideJ == 1 && strideK == static_cast<size_t>(rows); }
};

class GridTable {
 public:
  enum class Layout : uint8_t { kDense, kAlongK, kAlongJ, kConstant };

  // Sizes the table for (stepU + 1) x (stepV + 1) values, all 0 (a constant until written).
  void Resize(int32_t stepU, int32_t stepV) { SetConstant(stepU, stepV, 0.0f); }
  // Sizes the table for dense values that the caller writes next, every one of them: nothing
  // is zero-filled. Memory is reused when it is large enough and no other table shares it.
  void ResizeForWriting(int32_t stepU, int32_t stepV);
  // Every value `value`.
  void SetConstant(int32_t stepU, int32_t stepV, float value);
  // Value (k, j) is values[k] (an axis along k; stepU + 1 values) or values[j] (along j).
  void SetAxisK(int32_t stepU, int32_t stepV, const float* values);
  void SetAxisJ(int32_t stepU, int32_t stepV, const float* values);
  void Clear();

  // Makes this table hold the same values as `other` without copying them: the tables share
  // their memory until either is written through a non-const accessor, which first gives the
  // written one its own copy. Sampling names a quantity in the scene and colour tables so.
  void ShareFrom(const GridTable& other) { *this = other; }
  bool SharesWith(const GridTable& other) const { return storage_ && storage_ == other.storage_; }

  // Writing: the table's own dense value. Read through a const table (or View()), which
  // leaves the layout and any sharing alone.
  float& at(int32_t k, int32_t j) { return OwnDense()[Index(k, j)]; }
  float at(int32_t k, int32_t j) const {
    return storage_->data()[static_cast<size_t>(k) * strideK_ + static_cast<size_t>(j) * strideJ_];
  }
  GridView View() const;

  int32_t Columns() const { return columns_; }  // StepU + 1
  int32_t Rows() const { return rows_; }        // StepV + 1
  bool Empty() const { return size() == 0; }
  // The number of values the table reads as (Columns x Rows), whatever it stores.
  size_t size() const { return static_cast<size_t>(columns_) * static_cast<size_t>(rows_); }
  Layout GetLayout() const { return layout_; }
  // Bytes this table's storage holds (shared storage counted in each table).
  size_t HeldBytes() const { return storage_ ? storage_->capacity() * sizeof(float) : 0; }

  // Writable dense values.
  float* data() { return Empty() ? nullptr : OwnDense(); }
  // Dense values for reading. A table of another layout is made dense first (a full table
  // of memory, not to be asked from several threads at once): prefer View() or at().
  const float* data() const;

 private:
  size_t Index(int32_t k, int32_t j) const {
    return static_cast<size_t>(k) * static_cast<size_t>(rows_) + static_cast<size_t>(j);
  }
  void SetLayout(Layout layout);
  // Gives the table unshared storage for `count` floats (reusing its own when large enough).
  float* OwnStorage(size_t count);
  // Dense values of its own, holding what the table reads as.
  float* OwnDense();
  void MakeDense() const;

  int32_t columns_ = 0;
  int32_t rows_ = 0;
  // mutable: reading dense values from a table of another layout changes how it stores them,
  // never what it reads as.
  mutable Layout layout_ = Layout::kConstant;
  mutable size_t strideK_ = 0;
  mutable size_t strideJ_ = 0;
  mutable std::shared_ptr<FloatBuffer> storage_;
};

}  // namespace quillon
