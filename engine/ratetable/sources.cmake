# Sources of engine/ratetable, relative to engine/.
list(APPEND QRT_ENGINE_SOURCES
)
