#!/bin/sh
# The console programs of the Windows build, run under Wine, print what the Linux ones print on
# the same inputs: the same bytes on standard output and standard error, line ends aside, and
# the same status. The inputs cover the fees by value, a work log and a register, each with an
# error, and the help.
#   console_parity.sh WINE_RUN LINUX_CONSOLE_DIR WINDOWS_CONSOLE_DIR SAMPLE_REGISTER_EXE
set -u
run=$1 linux=$2 windows=$3 sample=$4
for program in tolvemar-log tolvemar-onorario tolvemar-registro tolvemar-fattura; do
    [ -x "$linux/$program" ] || { echo "no Linux $linux/$program: build the Linux preset first"; exit 1; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1

printf 'Data;Dalle;Alle;Descrizione;In udienza\r\n%s' \
    '03/03/2025;09:00;10:15;Sopralluogo;no
05/03/2025;08:00;18:00;Studio dell'"'"'attività;no
06/03/2025;09:00;14:00;Udienza;sì
' >attivita.csv
printf 'Data;Dalle;Alle;Descrizione;In udienza\r\n32/03/2025;09:00;10:00;Più tardi;no\r\n' >errato.csv
cat >fattura.json <<'JSON'
{"numero": "12/2026", "data": "2026-12-01", "tipo": "TD06", "progressivo": "00012",
 "consulente": {"nome": "Mario", "cognome": "Rossi", "titolo": "Ing.",
                "codice_fiscale": "RSSMRA80A01H501U", "partita_iva": "01234567897",
                "indirizzo": "Via Roma 1", "cap": "13900", "comune": "Biella", "provincia": "BI",
                "albo": "Ingegneri", "provincia_albo": "BI", "numero_albo": "1234",
                "regime": "ordinario", "cassa": {"tipo": "TC04", "aliquota": "4.00"},
                "iban": "IT60X0542811101000000123456"},
 "destinatario": {"denominazione": "Tribunale di Biella", "codice_ipa": "WUMV1P",
                  "codice_fiscale": "81019670025", "indirizzo": "Via Marconi 28",
                  "cap": "13900", "comune": "Biella", "provincia": "BI"},
 "procedimento": "R.G. 123/2025", "decreto": "2026-11-10",
 "pagatore": {"denominazione": "ALFA S.r.l. – Società", "sostituto_imposta": true},
 "pagamento": {"data": "2026-11-25", "riferimento": "CRO 0123456789"},
 "onorario": "1000.00", "spese_imponibili": "0.00", "spese_escluse": "150.00"}
JSON
sed 's/"WUMV1P"/"WUMV1"/' fattura.json >fattura-errata.json
"$run" "$sample" incarichi.sqlite || { echo "the sample register was not made"; exit 1; }

failures=0 cases=0
# compare PROGRAM ARGUMENTS...
compare() {
    program=$1
    shift
    cases=$((cases + 1))
    "$linux/$program" "$@" >linux.out 2>linux.err
    linux_status=$?
    "$run" "$windows/$program.exe" "$@" >windows.out 2>windows.err
    windows_status=$?
    for stream in out err; do
        tr -d '\r' <windows.$stream >windows.$stream.lf
        if ! cmp -s linux.$stream windows.$stream.lf; then
            echo "DIFFERS ($stream): $program $*"
            diff linux.$stream windows.$stream.lf | head -n 20
            failures=$((failures + 1))
        fi
    done
    if [ "$linux_status" != "$windows_status" ]; then
        echo "DIFFERS (status $linux_status, $windows_status): $program $*"
        failures=$((failures + 1))
    fi
}

compare tolvemar-onorario --elenco
compare tolvemar-onorario --elenco --json
compare tolvemar-onorario --articolo 13 --valore 650.000,00
compare tolvemar-onorario --articolo 4 --valore 120.000,00 --ricavi 80.000,00 --json
compare tolvemar-onorario --articolo 13 --valore dodici
compare tolvemar-onorario --help
compare tolvemar-log attivita.csv
compare tolvemar-log --json --tariffa 2002 --conferimento 01/03/2025 --termine 31/03/2025 attivita.csv
compare tolvemar-log errato.csv
compare tolvemar-log --help
compare tolvemar-registro --registro incarichi.sqlite --oggi 2026-07-01 scadenze
compare tolvemar-registro --registro incarichi.sqlite --oggi 2026-07-01 scadenze --json
compare tolvemar-registro --registro incarichi.sqlite --oggi 2026-07-01 crediti
compare tolvemar-registro --registro incarichi.sqlite --oggi 2026-07-01 crediti --json
compare tolvemar-registro --registro incarichi.sqlite --oggi 2026-13-01 crediti
compare tolvemar-registro --help
compare tolvemar-fattura fattura.json
compare tolvemar-fattura fattura-errata.json
echo "$cases cases, $failures differences"
[ "$failures" -eq 0 ]
