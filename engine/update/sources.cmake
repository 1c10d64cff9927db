# Sources of engine/update, relative to engine/.
list(APPEND QRT_ENGINE_SOURCES
  update/CFileUpdateService.cpp
  update/Download.cpp
  update/ModTimesList.cpp
)
