# Runs the instrumented orvandel-cli over generated sources of every machine, from an empty
# profile, and marks the profile done.
#   cmake -DCLI=... -DGERA=... -DPERFIL=... -DMARCA=... -P treina-perfil.cmake
file(REMOVE_RECURSE ${PERFIL})
file(MAKE_DIRECTORY ${PERFIL}/fontes)
foreach(maquina zibel kovra quirla jelmo)
  set(fonte ${PERFIL}/fontes/${maquina}.src)
  string(SUBSTRING ${maquina} 0 1 letra)
  string(TOUPPER ${letra} letra)
  execute_process(COMMAND ${GERA} ${maquina} 20000 OUTPUT_FILE ${fonte} COMMAND_ERROR_IS_FATAL ANY)
  execute_process(COMMAND ${CLI} -m ${letra} -o ${PERFIL}/fontes/${maquina}.mem ${fonte}
                  OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
endforeach()
file(REMOVE_RECURSE ${PERFIL}/fontes)
file(TOUCH ${MARCA})
