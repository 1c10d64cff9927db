# Sources of engine/trace, relative to engine/.
list(APPEND QRT_ENGINE_SOURCES
  trace/Trace.cpp
)
