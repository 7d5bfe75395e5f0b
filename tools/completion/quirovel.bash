# Bash completion for quirovel: commands, their options and table files.
_quirovel() {
  local cur prev words cword
  _init_completion || return
  local commands="structure dump check init config open catalogue lookup detect group errors log counts report help"
  local command="" i
  for ((i = 1; i < cword; i++)); do
    case "${words[i]}" in
      --root) ((i++)) ;;
      -*) ;;
      *) command="${words[i]}"; break ;;
    esac
  done
  case "$prev" in
    --root|--kit) _filedir -d; return ;;
    --test) COMPREPLY=($(compgen -W "mensual trimestral cma" -- "$cur")); return ;;
  esac
  case "$command" in
    "") COMPREPLY=($(compgen -W "$commands --root --yes --no --help --version" -- "$cur")) ;;
    help) COMPREPLY=($(compgen -W "$commands" -- "$cur")) ;;
    detect|open|structure|dump|check) COMPREPLY=($(compgen -W "--test --from --count --record --help" -- "$cur")); _filedir '@(dbf|DBF)' ;;
    group) COMPREPLY=($(compgen -W "type service" -- "$cur")) ;;
    log) COMPREPLY=($(compgen -W "--csv --json" -- "$cur")) ;;
    config) COMPREPLY=($(compgen -W "show set defaults hospitals" -- "$cur")) ;;
    catalogue) COMPREPLY=($(compgen -W "check" -- "$cur")) ;;
    report) COMPREPLY=($(compgen -W "--raw errores resumen erragr erragrserv" -- "$cur")) ;;
    *) COMPREPLY=($(compgen -W "--help" -- "$cur")) ;;
  esac
} && complete -F _quirovel quirovel
