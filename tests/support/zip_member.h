// Reading one member of a zip archive (an .xlsx workbook), for the export tests.
#pragma once

#include <zip.h>

#include <string>

namespace qj::test {

// The member's bytes; "" when the archive or the member is missing.
inline std::string ZipMember(const std::string& archive, const char* member) {
  std::string content;
  zip_t* zip = zip_open(archive.c_str(), ZIP_RDONLY, nullptr);
  zip_file_t* file = zip != nullptr ? zip_fopen(zip, member, 0) : nullptr;
  char buffer[4096];
  for (zip_int64_t got; file != nullptr && (got = zip_fread(file, buffer, sizeof buffer)) > 0;)
    content.append(buffer, static_cast<std::size_t>(got));
  if (file != nullptr) zip_fclose(file);
  if (zip != nullptr) zip_close(zip);
  return content;
}

}  // namespace qj::test
