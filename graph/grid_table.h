#pragma once
// A two-dimensional table of singles indexed (k, j), k = 0..StepU and j = 0..StepV, both
// bounds inclusive. Stored k-major: the j values of one k are contiguous.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace quillon {

class GridTable {
 public:
  // Sizes the table for (stepU + 1) x (stepV + 1) values, all 0. Memory is reused when
  // the size is unchanged.
  void Resize(int32_t stepU, int32_t stepV) {
    columns_ = stepU + 1;
    rows_ = stepV + 1;
    values_.assign(static_cast<size_t>(columns_) * static_cast<size_t>(rows_), 0.0f);
  }
  void Clear() {
    columns_ = rows_ = 0;
    values_.clear();
    values_.shrink_to_fit();
  }

  float& at(int32_t k, int32_t j) { return values_[Index(k, j)]; }
  float at(int32_t k, int32_t j) const { return values_[Index(k, j)]; }

  int32_t Columns() const { return columns_; }  // StepU + 1
  int32_t Rows() const { return rows_; }        // StepV + 1
  bool Empty() const { return values_.empty(); }
  float* data() { return values_.data(); }
  const float* data() const { return values_.data(); }
  size_t size() const { return values_.size(); }

 private:
  size_t Index(int32_t k, int32_t j) const {
    return static_cast<size_t>(k) * static_cast<size_t>(rows_) + static_cast<size_t>(j);
  }

  int32_t columns_ = 0;
  int32_t rows_ = 0;
  std::vector<float> values_;
};

}  // namespace quillon
