// PenaltyTable: the fixed table of the engine's 24 penalty slots.
//
// A slot index is the penalty kind used everywhere in the engine: payment
// category 6 + slot, the index of the per-slot result arrays, the index of the
// `Penalties` record. Each slot has a section code, a description and the file
// name of its penalty detail template (empty when the slot prints none).
// Slot 23 is the computed failure-to-file slot (slot 0 carries the same names
// and is never computed); slot 22 is 6621(c) large-corporate-underpayment
// interest, which is not an authority penalty.
//
// The slot numbers and the flag bits of the record are in AllocationCategory.h
// and Penalties.h. Constant data: any thread.
// Tests: every slot's texts; out-of-range slots give empty texts.
#pragma once

namespace penalty {

constexpr int kSlotCount = 24;

// Section code, e.g. "6651(a)(2)"; "" for a slot outside 0-23.
const char* SlotCode(int slot);
// Description, e.g. "Failure to Pay Tax Shown"; "" outside 0-23.
const char* SlotDescription(int slot);
// Detail template file name, e.g. "P6651A2.DM"; "" when none or outside 0-23.
const char* SlotTemplate(int slot);

}  // namespace penalty
