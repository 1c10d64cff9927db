# Sources of engine/calendar, relative to engine/.
list(APPEND QRT_ENGINE_SOURCES
  calendar/Date.cpp
  calendar/CalendarInternal.cpp
)
