# Bash completion for quirovel: commands, their options and table files.
_quirovel() {
  local cur prev words cword
  _init_completion || return
  local commands="structure dump check init config open catalogue lookup detect group errors log counts report search codes-by-description uncoded episodes graph readmissions out-of-range discharge-range history import export export-errors describe help"
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
    --sex) COMPREPLY=($(compgen -W "1 2 3 9" -- "$cur")); return ;;
    --admission-type) COMPREPLY=($(compgen -W "1 2 3" -- "$cur")); return ;;
    --discharge-type) COMPREPLY=($(compgen -W "1 2 3 4 5 6 7 8 9" -- "$cur")); return ;;
    --sort) COMPREPLY=($(compgen -W "code service discharges uncoded coded errors errors-share code:desc service:desc discharges:desc uncoded:desc coded:desc errors:desc errors-share:desc" -- "$cur")); return ;;
    --mode) COMPREPLY=($(compgen -W "c1 service" -- "$cur")); return ;;
    --from|--to|--days) return ;;
    --layout|--save-layout) COMPREPLY=($(compgen -W "cmbd cma" -- "$cur")); return ;;
    --format) COMPREPLY=($(compgen -W "text dbf" -- "$cur")); return ;;
    --date-format) COMPREPLY=($(compgen -W "1 2 3 4 5 6" -- "$cur")); return ;;
    --month) COMPREPLY=($(compgen -W "1 2 3 4 5 6 7 8 9 10 11 12" -- "$cur")); return ;;
    --structure|--out) _filedir '@(dbf|DBF)'; return ;;
  esac
  case "$command" in
    "") COMPREPLY=($(compgen -W "$commands --root --yes --no --help --version" -- "$cur")) ;;
    help) COMPREPLY=($(compgen -W "$commands" -- "$cur")) ;;
    structure) COMPREPLY=($(compgen -W "create --help" -- "$cur")); _filedir '@(dbf|DBF)' ;;
    detect|open|dump|check) COMPREPLY=($(compgen -W "--test --from --count --record --help" -- "$cur")); _filedir '@(dbf|DBF)' ;;
    import) COMPREPLY=($(compgen -W "--structure --out --fixed --separator --delimiter --header --no-header --date-format --layout --save-layout --help" -- "$cur")); _filedir '@(txt|TXT|csv|CSV)' ;;
    export) COMPREPLY=($(compgen -W "--test --cma-only --all --format --from --to --month --year --accumulated --name --help" -- "$cur")) ;;
    group) COMPREPLY=($(compgen -W "type service" -- "$cur")) ;;
    log) COMPREPLY=($(compgen -W "--csv --json" -- "$cur")) ;;
    config) COMPREPLY=($(compgen -W "show set defaults hospitals" -- "$cur")) ;;
    catalogue) COMPREPLY=($(compgen -W "check" -- "$cur")) ;;
    search) COMPREPLY=($(compgen -W "--discharge --service --sex --age --admission-type --residence --discharge-type --admission --table --save --help" -- "$cur")) ;;
    uncoded) COMPREPLY=($(compgen -W "--sort --service --help" -- "$cur")) ;;
    episodes) COMPREPLY=($(compgen -W "--type --service --uncoded --discharges --save --quiet --help" -- "$cur")) ;;
    graph) COMPREPLY=($(compgen -W "uncoded admissions --csv --type --service --uncoded --discharges --help" -- "$cur")) ;;
    readmissions) COMPREPLY=($(compgen -W "--mode --from --to --days --help" -- "$cur")) ;;
    out-of-range) COMPREPLY=($(compgen -W "--from --to --help" -- "$cur")) ;;
    history) COMPREPLY=($(compgen -W "append show --yes --no" -- "$cur")) ;;
    report) COMPREPLY=($(compgen -W "--raw errores resumen erragr erragrserv reingr reingrserv reingrservnoprog fuerango busqueda busqueda2 altnocod altas altnocodserv" -- "$cur")) ;;
    describe) COMPREPLY=($(compgen -W "--tooltips --help" -- "$cur")) ;;
    *) COMPREPLY=($(compgen -W "--help" -- "$cur")) ;;
  esac
} && complete -F _quirovel quirovel
