# Sources of engine/report, relative to engine/.
list(APPEND QRT_ENGINE_SOURCES
  report/ReportTemplate.cpp
  report/ReportBuffer.cpp
  report/ReportPages.cpp
  report/MoneyFormat.cpp
  report/FieldCodes.cpp
  report/MergeTemplateLine.cpp
  report/ReportLabels.cpp
  report/EventSummaryReport.cpp
  report/InterestDetailReport.cpp
  report/AccountSummary.cpp
  report/InterestAndPenaltyReport.cpp
  report/PenaltyDetailReport.cpp
  report/PenaltyEventSummary.cpp
  report/PaymentAllocationReport.cpp
  report/MonthlyAccrualReport.cpp
  report/RateTableReport.cpp
  report/ReportRows.cpp
)
