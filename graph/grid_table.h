#pragma once
// A two-dimensional table of singles indexed (k, j), k = 0..StepU and j = 0..StepV, both
// bounds inclusive. Stored k-major: the j values of one k are contiguous.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace quillon {

class GridTable {
 public:
  // Sizes the table for (stepU + 1) x (stepV + 1) values, all 0. Memory is reused when
  // the size is unchanged and no other table shares it.
  void Resize(int32_t stepU, int32_t stepV) {
    columns_ = stepU + 1;
    rows_ = stepV + 1;
    const size_t n = static_cast<size_t>(columns_) * static_cast<size_t>(rows_);
    if (values_ && values_.use_count() == 1)
      values_->assign(n, 0.0f);
    else
      values_ = std::make_shared<std::vector<float>>(n, 0.0f);
  }
  void Clear() {
    columns_ = rows_ = 0;
    values_.reset();
  }

  // Makes this table hold the same values as `other` without copying them: the tables share
  // their memory until either is written through a non-const accessor, which first gives the
  // written one its own copy. Sampling hands a quantity to the scene and colour tables so.
  void ShareFrom(const GridTable& other) {
    columns_ = other.columns_;
    rows_ = other.rows_;
    values_ = other.values_;
  }
  bool SharesWith(const GridTable& other) const { return values_ && values_ == other.values_; }

  float& at(int32_t k, int32_t j) { return Own()[Index(k, j)]; }
  float at(int32_t k, int32_t j) const { return (*values_)[Index(k, j)]; }

  int32_t Columns() const { return columns_; }  // StepU + 1
  int32_t Rows() const { return rows_; }        // StepV + 1
  bool Empty() const { return size() == 0; }
  // Writable values; not to be called from several threads while the memory may be shared.
  float* data() { return values_ ? Own().data() : nullptr; }
  const float* data() const { return values_ ? values_->data() : nullptr; }
  size_t size() const { return values_ ? values_->size() : 0; }

 private:
  size_t Index(int32_t k, int32_t j) const {
    return static_cast<size_t>(k) * static_cast<size_t>(rows_) + static_cast<size_t>(j);
  }
  std::vector<float>& Own() {
    if (!values_) {
      values_ = std::make_shared<std::vector<float>>();
    } else if (values_.use_count() > 1) {
      values_ = std::make_shared<std::vector<float>>(*values_);
    }
    return *values_;
  }

  int32_t columns_ = 0;
  int32_t rows_ = 0;
  std::shared_ptr<std::vector<float>> values_;
};

}  // namespace quillon
