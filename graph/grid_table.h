#pragma once
// A two-dimensional table of singles indexed (k, j), k = 0..StepU and j = 0..StepV, both
// bounds inclusive. Stored k-major: the j values of one k are contiguous.

#include <bit>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace quillon {

class GridTable {
 public:
  // A table of grid coordinates: value (k, j) is grid coordinate i of the line from `first`
  // to `last` in as many steps as the table has columns (or rows) less one, where i is k or j
  // (GridCoordinate, graph/sampling.h). Sampling records it on the x and y tables after a
  // complete pass, so that a pass over the same grid (only the function changed) can keep
  // them instead of writing them again. Any write forgets it.
  struct Lattice {
    enum class Along : uint8_t { kNone, kK, kJ };
    Along along = Along::kNone;
    uint64_t first = 0;  // bit patterns, so that -0 and 0 or NaNs never pass for each other
    uint64_t last = 0;

    static Lattice Of(Along along, double first, double last) {
      return {along, std::bit_cast<uint64_t>(first), std::bit_cast<uint64_t>(last)};
    }
    bool operator==(const Lattice&) const = default;
  };

  // Sizes the table for (stepU + 1) x (stepV + 1) values, all 0. Memory is reused when
  // the size is unchanged and no other table shares it.
  void Resize(int32_t stepU, int32_t stepV) {
    columns_ = stepU + 1;
    rows_ = stepV + 1;
    const size_t n = static_cast<size_t>(columns_) * static_cast<size_t>(rows_);
    if (storage_ && storage_.use_count() == 1) {
      storage_->values.assign(n, 0.0f);
      storage_->lattice = Lattice{};
    } else {
      storage_ = std::make_shared<Storage>();
      storage_->values.assign(n, 0.0f);
    }
  }
  void Clear() {
    columns_ = rows_ = 0;
    storage_.reset();
  }

  // Makes this table hold the same values as `other` without copying them: the tables share
  // their memory until either is written through a non-const accessor, which first gives the
  // written one its own copy. Sampling hands a quantity to the scene and colour tables so.
  void ShareFrom(const GridTable& other) {
    columns_ = other.columns_;
    rows_ = other.rows_;
    storage_ = other.storage_;
  }
  bool SharesWith(const GridTable& other) const { return storage_ && storage_ == other.storage_; }

  float& at(int32_t k, int32_t j) { return Own()[Index(k, j)]; }
  float at(int32_t k, int32_t j) const { return storage_->values[Index(k, j)]; }

  int32_t Columns() const { return columns_; }  // StepU + 1
  int32_t Rows() const { return rows_; }        // StepV + 1
  bool Empty() const { return size() == 0; }
  // Writable values; not to be called from several threads while the memory may be shared.
  float* data() { return storage_ ? Own().data() : nullptr; }
  const float* data() const { return storage_ ? storage_->values.data() : nullptr; }
  size_t size() const { return storage_ ? storage_->values.size() : 0; }

  // The lattice the values are known to be (kNone when not known), and recording it once
  // they have been written; a table without values knows none.
  Lattice KnownLattice() const { return storage_ ? storage_->lattice : Lattice{}; }
  void RecordLattice(const Lattice& lattice) {
    if (storage_) storage_->lattice = lattice;
  }

 private:
  struct Storage {
    std::vector<float> values;
    Lattice lattice;
  };

  size_t Index(int32_t k, int32_t j) const {
    return static_cast<size_t>(k) * static_cast<size_t>(rows_) + static_cast<size_t>(j);
  }
  // The values about to be written: this table's own, and no longer known to be a lattice.
  std::vector<float>& Own() {
    if (!storage_) {
      storage_ = std::make_shared<Storage>();
    } else if (storage_.use_count() > 1) {
      storage_ = std::make_shared<Storage>(Storage{storage_->values, Lattice{}});
    }
    storage_->lattice = Lattice{};
    return storage_->values;
  }

  int32_t columns_ = 0;
  int32_t rows_ = 0;
  std::shared_ptr<Storage> storage_;
};

}  // namespace quillon
