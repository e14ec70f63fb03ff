# Profile-guided optimisation of what orvandel-cli runs: the engine, the shell, the output and
# the command line. An instrumented copy of orvandel-cli is built in a build folder of its own
# and assembles generated sources for every machine; the targets that call orvandel_por_perfil
# are then compiled with that profile, which lays out the hot paths of the passes, the splitter
# and the encoders for the lines students write. Turned off, the build is an ordinary one.
option(ORVANDEL_PGO "Optimise orvandel-cli by a profile of its own runs (GCC)" OFF)
if(ORVANDEL_PGO AND NOT CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  message(WARNING "ORVANDEL_PGO needs GCC; building without a profile")
  set(ORVANDEL_PGO OFF)
endif()

if(ORVANDEL_PGO)
  include(ExternalProject)
  set(orvandel_perfil_dir ${CMAKE_BINARY_DIR}/perfil)
  set(orvandel_treino_dir ${CMAKE_BINARY_DIR}/perfil-treino)
  set(orvandel_perfil_marca ${orvandel_perfil_dir}/treino.marca)

  # The profile names each object by its path inside its build folder, so the instrumented
  # build and this one find each other's objects by the same relative names.
  ExternalProject_Add(orvandel_instrumentado
    SOURCE_DIR ${PROJECT_SOURCE_DIR}
    BINARY_DIR ${orvandel_treino_dir}
    CMAKE_GENERATOR ${CMAKE_GENERATOR}
    CMAKE_ARGS -DCMAKE_BUILD_TYPE=${CMAKE_BUILD_TYPE}
               -DCMAKE_CXX_COMPILER=${CMAKE_CXX_COMPILER}
               -DCMAKE_EXE_LINKER_FLAGS=-fprofile-generate
               -DORVANDEL_PGO=OFF -DORVANDEL_PGO_GERA=${orvandel_perfil_dir}
               -DORVANDEL_GUI=OFF -DORVANDEL_TESTES=OFF -DORVANDEL_BENCH=OFF
    BUILD_COMMAND ${CMAKE_COMMAND} --build <BINARY_DIR> --target orvandel-cli gera-fontes
    BUILD_ALWAYS ON
    BUILD_BYPRODUCTS ${orvandel_treino_dir}/app/cli/orvandel-cli ${orvandel_treino_dir}/bench/gera-fontes
    INSTALL_COMMAND "")

  # Trained again only when the instrumented program changed.
  add_custom_command(OUTPUT ${orvandel_perfil_marca}
    COMMAND ${CMAKE_COMMAND} -DCLI=${orvandel_treino_dir}/app/cli/orvandel-cli
            -DGERA=${orvandel_treino_dir}/bench/gera-fontes -DPERFIL=${orvandel_perfil_dir}
            -DMARCA=${orvandel_perfil_marca} -P ${PROJECT_SOURCE_DIR}/cmake/treina-perfil.cmake
    DEPENDS ${orvandel_treino_dir}/app/cli/orvandel-cli ${orvandel_treino_dir}/bench/gera-fontes
            ${PROJECT_SOURCE_DIR}/cmake/treina-perfil.cmake
    COMMENT "Profiling orvandel-cli on generated sources")
  add_custom_target(orvandel_perfil DEPENDS ${orvandel_perfil_marca})
  add_dependencies(orvandel_perfil orvandel_instrumentado)
endif()

# Compiles `alvo` with the profile, and again whenever the profile is trained again; in the
# instrumented build, with the counters that make the profile, atomic since pass 1 of a long
# source runs on two threads. Both at -O3, since a profile fits only code optimised as the code
# that made it. Objects that the training never ran keep the ordinary optimisation
# (-fprofile-partial-training). ORVANDEL_PGO_GERA, the profile folder, is
# set only for the instrumented build.
function(orvandel_por_perfil alvo)
  if(ORVANDEL_PGO_GERA)
    target_compile_options(${alvo} PRIVATE -O3 -fprofile-generate=${ORVANDEL_PGO_GERA}
      -fprofile-update=atomic -fprofile-prefix-path=${CMAKE_BINARY_DIR})
    return()
  endif()
  if(NOT ORVANDEL_PGO)
    return()
  endif()
  target_compile_options(${alvo} PRIVATE -O3 -fprofile-use=${orvandel_perfil_dir}
    -fprofile-partial-training -fprofile-prefix-path=${CMAKE_BINARY_DIR}
    -Wno-missing-profile -Wno-error=coverage-mismatch)
  get_target_property(fontes ${alvo} SOURCES)
  get_target_property(pasta ${alvo} SOURCE_DIR)
  list(TRANSFORM fontes PREPEND ${pasta}/ REGEX "^[^/]")
  set_property(SOURCE ${fontes} TARGET_DIRECTORY ${alvo}
               APPEND PROPERTY OBJECT_DEPENDS ${orvandel_perfil_marca})
  add_dependencies(${alvo} orvandel_perfil)
endfunction()
