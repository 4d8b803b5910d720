#pragma once

#include <string>
#include <vector>

class QMimeData;

namespace td {

// The local files of a drop that are named as documents (.tdp, .tds), in the order dropped.
std::vector<std::string> DroppedDocuments(const QMimeData& data);

}  // namespace td
