# Tests of engine/report (paths relative to tests/).
qrt_add_test(report_tests report/ReportTemplateTest.cpp report/ReportBufferTest.cpp report/MoneyFormatTest.cpp
  report/PageMachineryTest.cpp report/FieldMergeTest.cpp report/ShippedTemplatesTest.cpp report/EventSummaryEdgesTest.cpp)

# The report kinds on the shipped examples, read as qrtcalc reads them.
qrt_add_test(report_kinds_test report/ReportKindsTest.cpp)
target_link_libraries(report_kinds_test PRIVATE qrtcalc_core qrt_automation_core qrt_engine_static)
