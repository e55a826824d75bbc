// "Copy Current Weight Map": the current map's values written into a map of a new name,
// which then becomes the current map.
#pragma once

struct InstData;

// Asks for the target name; the current name or a map of more than one dimension ends
// without change. Every point is written (its source value, or removed where the source
// has none), so an existing one-dimensional target is overwritten completely; recorded
// as one undo step of kind 0.
void runCopyMapCommand(InstData& inst);
