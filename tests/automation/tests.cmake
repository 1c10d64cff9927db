# Tests of the automation object and of its interface description (paths
# relative to tests/). Libraries before the engine objects they call. The
# program compiles the component build stamp as a component does.
qrt_add_test(automation_object_test automation/QRTEngineTest.cpp automation/WriteReportTest.cpp
  automation/InterfaceDescriptionTest.cpp ${QRT_COMPONENT_BUILD_TIME_SOURCE})
target_link_libraries(automation_object_test PRIVATE qrt_automation_core qrt_interface_description
  qrt_engine_static)
target_include_directories(automation_object_test PRIVATE ${CMAKE_SOURCE_DIR})

qrt_add_test(registration_test automation/RegistrationTest.cpp)
target_link_libraries(registration_test PRIVATE qrt_registration qrt_engine_static)
target_include_directories(registration_test PRIVATE ${CMAKE_SOURCE_DIR})
