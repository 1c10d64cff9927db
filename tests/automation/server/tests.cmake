# QRTComServer through real D-Bus clients, each test on a private session bus
# with a private XDG_DATA_HOME (paths relative to tests/).
set(server_tests
  activated_server_computes_as_qrtcalc
  clients_own_their_objects
  a_client_that_leaves_loses_its_objects
  idle_exit_only_without_objects_and_reuse_within_the_idle_time
  registration_options_in_any_form
  failed_registration_reports_and_leaves_no_service_file
  introspection_lists_every_member_of_the_description
  failing_members_give_named_errors
  hundred_clients_at_once)
foreach(name IN LISTS server_tests)
  add_test(NAME QRTComServer.${name}
    COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/automation/server/run_on_private_bus.sh
      ${QRT_PYTHON3} -m pytest -q -s -p no:cacheprovider
      ${CMAKE_CURRENT_SOURCE_DIR}/automation/server/test_server.py -k test_${name})
  set_tests_properties(QRTComServer.${name} PROPERTIES
    ENVIRONMENT "QRT_SERVER=$<TARGET_FILE:QRTComServer>;QRT_QRTCALC=$<TARGET_FILE:qrtcalc>;QRT_SOURCE_DIR=${CMAKE_SOURCE_DIR};QRT_IDLE_SECONDS=0.5;QRT_SANITIZE=${QRT_SANITIZE};PYTHONDONTWRITEBYTECODE=1"
    TIMEOUT 120)
endforeach()
