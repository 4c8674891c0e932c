// tests/support/program/DropBlock.h
//
// What a user's drop hands a window: a DROPFILES header in movable global memory followed by
// the wide paths, each ended by a zero, and a closing zero; the receiver frees it
// (DragFinish). And the guard every drop of the end-to-end tests passes first: a path is
// dropped only when it lies inside the test's own sandbox folder.
#pragma once
#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

namespace tests::program {

// The block, or null when the memory could not be had. `at` is the drop point in the
// receiver's client area.
HGLOBAL newDropBlock(const std::vector<std::wstring>& paths, POINT at = {10, 10});

// The paths of a block as the receiver reads them (DragQueryFileW); the block stays.
std::vector<std::wstring> pathsOfDropBlock(HGLOBAL block);

// True when `path` names something strictly below the folder `sandbox` (a full path such
// as "T:\box-12-0"): same drive and folder prefix, compared ignoring case, followed by a
// separator and a name; no "." or ".." step, no "/" and no second colon anywhere, so no
// spelling of the path can climb out of the folder.
bool isInsideSandbox(const std::wstring& sandbox, const std::wstring& path);

}  // namespace tests::program
