# Tests of the automation input layer (paths relative to tests/).
qrt_add_test(automation_inputs_test cli/EngineInputsTest.cpp cli/PenaltySettingsTest.cpp)
target_link_libraries(automation_inputs_test PRIVATE qrt_automation_core qrt_engine_static)
