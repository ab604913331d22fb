#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace valmore {

// Replaces a file as a whole: the bytes go to a temporary file beside it (".NAME.tmp-XXXXXX"), which
// is flushed to disk and renamed over the target. A crash or a full disk during the write leaves the
// previous file intact. Temporary files of the same target that a killed writer left behind are
// removed first. Returns false and describes the failure in *error (and its error number in
// *errorNumber) when anything fails. The file gets the given permission bits (0600 for a file only
// its owner may read).
bool WriteFileAtomically(const std::filesystem::path& target, std::string_view bytes, std::string* error,
                         unsigned permissions = 0644, int* errorNumber = nullptr);

// Removes the temporary files a killed WriteFileAtomically of this target left beside it. A writer
// holds a lock on its temporary file until the file has been renamed, so one that another running
// process is still writing is never touched. Returns how many were removed.
int RemoveLeftoverTemporaries(const std::filesystem::path& target);

// Where a damaged file is kept aside: the first of "<file>.damaged", "<file>.damaged-2", ... that does
// not exist yet, so an earlier damaged copy is never overwritten.
std::filesystem::path FreeAsideName(const std::filesystem::path& file);
// Moves the file to FreeAsideName, never replacing an existing file; a file that is gone needs
// nothing. False, with the failure described in *error and its error number in *errorNumber, when it
// could not be moved; the file is then where it was.
bool KeepAside(const std::filesystem::path& file, std::string* error, int* errorNumber);

// Reads a whole file as bytes. Returns false when it cannot be opened or read, or is a folder.
bool ReadWholeFile(const std::filesystem::path& file, std::string* bytes);

}  // namespace valmore
