# Bash completion for quirovel: commands, their options and table files.
_quirovel() {
  local cur prev words cword
  _init_completion || return
  local commands="structure dump check init config open catalogue lookup detect group errors log counts report readmissions out-of-range discharge-range history help"
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
    --mode) COMPREPLY=($(compgen -W "c1 service" -- "$cur")); return ;;
    --from|--to|--days) return ;;
  esac
  case "$command" in
    "") COMPREPLY=($(compgen -W "$commands --root --yes --no --help --version" -- "$cur")) ;;
    help) COMPREPLY=($(compgen -W "$commands" -- "$cur")) ;;
    detect|open|structure|dump|check) COMPREPLY=($(compgen -W "--test --from --count --record --help" -- "$cur")); _filedir '@(dbf|DBF)' ;;
    group) COMPREPLY=($(compgen -W "type service" -- "$cur")) ;;
    log) COMPREPLY=($(compgen -W "--csv --json" -- "$cur")) ;;
    config) COMPREPLY=($(compgen -W "show set defaults hospitals" -- "$cur")) ;;
    catalogue) COMPREPLY=($(compgen -W "check" -- "$cur")) ;;
    readmissions) COMPREPLY=($(compgen -W "--mode --from --to --days --help" -- "$cur")) ;;
    out-of-range) COMPREPLY=($(compgen -W "--from --to --help" -- "$cur")) ;;
    history) COMPREPLY=($(compgen -W "append show --yes --no" -- "$cur")) ;;
    report) COMPREPLY=($(compgen -W "--raw errores resumen erragr erragrserv reingr reingrserv reingrservnoprog fuerango" -- "$cur")) ;;
    *) COMPREPLY=($(compgen -W "--help" -- "$cur")) ;;
  esac
} && complete -F _quirovel quirovel
