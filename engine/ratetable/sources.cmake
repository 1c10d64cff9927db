# Sources of engine/ratetable, relative to engine/.
list(APPEND QRT_ENGINE_SOURCES
  ratetable/CQrtDLLApp.cpp
  ratetable/FileReplace.cpp
  ratetable/IRTU.cpp
  ratetable/IniFile.cpp
  ratetable/KeptTables.cpp
  ratetable/InterestRateTable.cpp
  ratetable/TableDialogs.cpp
  ratetable/TableAlias.cpp
  ratetable/TableCache.cpp
  ratetable/TableFile.cpp
  ratetable/TableFormat.cpp
  ratetable/TableHeader.cpp
  ratetable/TableGenerator.cpp
  ratetable/TableLock.cpp
  ratetable/TablePaths.cpp
  ratetable/TimeStampedLog.cpp
  ratetable/UserInteraction.cpp
)
