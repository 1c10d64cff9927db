# Sources of engine/report, relative to engine/.
list(APPEND QRT_ENGINE_SOURCES
  report/ReportTemplate.cpp
  report/ReportBuffer.cpp
  report/ReportPages.cpp
  report/MoneyFormat.cpp
  report/FieldCodes.cpp
  report/MergeTemplateLine.cpp
  report/ReportKindHooks.cpp
)
