# Sources of engine/compute, relative to engine/.
list(APPEND QRT_ENGINE_SOURCES
)
