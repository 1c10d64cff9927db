# Sources of engine/ratetable, relative to engine/.
list(APPEND QRT_ENGINE_SOURCES
  ratetable/IRTU.cpp
  ratetable/InterestRateTable.cpp
  ratetable/TableDialogs.cpp
  ratetable/TableFile.cpp
  ratetable/TableFormat.cpp
  ratetable/TableHeader.cpp
  ratetable/TableLock.cpp
  ratetable/TablePaths.cpp
  ratetable/UserInteraction.cpp
)
