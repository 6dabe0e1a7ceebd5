// Three-way merge of note records, for a notes file that someone else (a folder-sync tool
// bringing another computer's file) wrote while this program runs: per record and per field,
// against what this program last read or wrote.
#pragma once

#include <cstdint>
#include <vector>

#include "store/UTNoteConfig.h"

class TConfigurationManager;

// The parts of a record the merge tells apart, one bit each; a window follows each on its own.
enum TNoteField : uint32_t {
  nfPlace = 1u << 0,  // Left and Top
  nfSize = 1u << 1,   // Width and Height
  nfMinimized = 1u << 2,
  nfColor = 1u << 3,
  nfFont = 1u << 4,  // FontName, FontSize and FontColor, chosen together
  nfReadOnly = 1u << 5,
  nfOnTop = 1u << 6,
  nfSystemNote = 1u << 7,
  nfChat = 1u << 8,
};
using TNoteFields = uint32_t;

struct TRecordMerge {
  int32_t Id = 0;
  TNoteFields Taken = 0;  // the fields that took the incoming values
};

struct TNotesMerge {
  // The local records that took incoming values, in local order.
  std::vector<TRecordMerge> Changed;
  // The incoming records of ids with no local record, in the incoming order, each id once.
  std::vector<TNoteConfig> Added;
};

// Merges incoming into the local records, in place. For a record of both: a field this program
// has not changed since base takes the incoming value; a field it changed keeps its own; a record
// without a base record takes every incoming value (it was made from defaults before its record
// arrived). Local records the incoming file lacks stay as they are. Of repeated ids in base or
// incoming the first counts, as lookups in the collection find the first. Once the caller has
// added the Added records, the incoming records are the new base: they are what was last read.
TNotesMerge MergeNoteRecords(const std::vector<TNoteConfig*>& local, const std::vector<TNoteConfig>& base,
                             const std::vector<TNoteConfig>& incoming);

// A collection's records as the merge takes them: copies (a base, a file read for merging) and
// the live records themselves.
std::vector<TNoteConfig> CopyRecords(const TConfigurationManager& collection);
std::vector<TNoteConfig*> LiveRecords(const TConfigurationManager& collection);
