// Where the in-process component finds the shipped data (FEDERAL.TB3, the
// alias list, the report templates) when the client has not set
// QRT_ENGINE_DIR: the source tree's data/ when the library runs from its
// build folder, else <prefix>/share/duecalc beside <prefix>/<libdir>.
#pragma once

// When QRT_ENGINE_DIR is unset or empty and the shipped data is found: sets
// it, before the component's first engine call, so the engine starts there.
void UseShippedDataUnlessSet();
