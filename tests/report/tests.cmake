# Tests of engine/report (paths relative to tests/).
qrt_add_test(report_tests report/ReportTemplateTest.cpp report/ReportBufferTest.cpp report/MoneyFormatTest.cpp
  report/PageMachineryTest.cpp report/FieldMergeTest.cpp report/ShippedTemplatesTest.cpp report/EventSummaryEdgesTest.cpp)
