// The records of a scene container's graphs, in collection order.

#include "graph/record_text.h"
#include "scene/model/container.h"

namespace quillon {

std::string Cls8::Save() const {
  std::string text;
  for (const Entry& entry : entries_) {
    if (WritesRecord(entry.graph->GraphType)) text += entry.graph->Save();
  }
  return text;
}

}  // namespace quillon
