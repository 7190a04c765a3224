// The code the add dialogs propose for a new subject.
#pragma once

#include <optional>
#include <string>

namespace qj::subjects {

// The first segment of a given width: 1 padded with zeros ("01" for two characters).
std::string FirstSegment(int width);
// The segment after `segment`, padded to the same width; nothing when it is
// not a number or its successor no longer fits (the segment is exhausted).
std::optional<std::string> NextSegment(const std::string& segment);

}  // namespace qj::subjects
