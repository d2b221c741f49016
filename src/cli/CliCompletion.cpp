#include "cli/CliCompletion.h"

#include <QStringList>

namespace {

// Declared words are letters, digits and punctuation without blanks or
// quotes, so they stand in the script as they are.
QString Words(const QStringList& words)
{
    return words.join(QLatin1Char(' '));
}

QStringList NamesOf(std::span<const CCliOption> options)
{
    QStringList names;
    for (const CCliOption& option : options)
        names << QString::fromLatin1(option.m_pszName);
    return names;
}

QStringList ValueOptions(std::span<const CCliOption> options)
{
    QStringList names;
    for (const CCliOption& option : options) {
        if (option.m_pszValueName)
            names << QString::fromLatin1(option.m_pszName);
    }
    return names;
}

// The shell words that offer what a value or an operand stands for.
QString Offer(CliValue value, std::span<const char* const> choices)
{
    if (!choices.empty()) {
        QStringList words;
        for (const char* choice : choices)
            words << QString::fromLatin1(choice);
        return QStringLiteral("_telvaro_cli_words '%1'").arg(Words(words));
    }
    switch (value) {
    case CliValue::File:
        return QStringLiteral("_telvaro_cli_files");
    case CliValue::List:
        return QStringLiteral("_telvaro_cli_files '*.qzn'");
    case CliValue::Text:
        break;
    }
    return QStringLiteral(":");
}

// One function per command: the value after an option, an option, or an
// operand (the action first, for a command that has actions).
QString CommandFunction(const CCliCommand& command)
{
    const QString name = QString::fromLatin1(command.Name());
    QString text = QStringLiteral("_telvaro_cli_command_%1()\n{\n").arg(QString(name).replace(QLatin1Char('-'), QLatin1Char('_')));
    text += QStringLiteral("    case $prev in\n");
    for (const CCliOption& option : command.Options()) {
        if (option.m_pszValueName)
            text += QStringLiteral("    %1) %2; return ;;\n").arg(QString::fromLatin1(option.m_pszName), Offer(option.m_value, option.m_choices));
    }
    text += QStringLiteral("    esac\n");
    text += QStringLiteral("    if [[ $cur == -* ]]; then _telvaro_cli_words '%1'; return; fi\n")
                .arg(Words(NamesOf(command.Options()) << QStringLiteral("--help")));
    text += QStringLiteral("    local -a operands\n    _telvaro_cli_operands '%1'\n").arg(Words(ValueOptions(command.Options())));
    if (!command.Actions().empty()) {
        text += QStringLiteral("    if (( ${#operands[@]} == 0 )); then _telvaro_cli_words '%1'; return; fi\n")
                    .arg(Words(NamesOf(command.Actions())));
        text += QStringLiteral("    case ${operands[0]} in\n");
        for (const CCliOption& action : command.Actions()) {
            if (action.m_pszValueName)
                text += QStringLiteral("    %1) %2 ;;\n").arg(QString::fromLatin1(action.m_pszName), Offer(action.m_value, {}));
        }
        text += QStringLiteral("    esac\n");
    } else if (command.OperandValue() == CliValue::List) {
        // The list comes first; the words after it are names, keywords, texts.
        text += QStringLiteral("    if (( ${#operands[@]} == 0 )); then %1; fi\n").arg(Offer(CliValue::List, {}));
    } else {
        text += QStringLiteral("    %1\n").arg(Offer(command.OperandValue(), {}));
    }
    return text + QStringLiteral("}\n\n");
}

constexpr char kHelpers[] = R"(# What the functions share: $cur, the word being completed, $prev, the one
# before it, and $first, the index of the first word after the command.

# Offers those of the words in $1 that start with $cur.
_telvaro_cli_words()
{
    local IFS=$' \t\n'
    COMPREPLY+=($(compgen -W "$1" -- "$cur"))
}

# Offers files (those matching the pattern $1, if given) and folders.
_telvaro_cli_files()
{
    local IFS=$'\n'
    compopt -o filenames 2>/dev/null
    if [[ -n ${1-} ]]; then
        COMPREPLY+=($(compgen -f -X "!$1" -- "$cur") $(compgen -d -- "$cur"))
    else
        COMPREPLY+=($(compgen -f -- "$cur"))
    fi
}

# Sets operands to the operands before $cur: the words that are neither an
# option nor the value of one of the options in $1 (those take a value).
_telvaro_cli_operands()
{
    operands=()
    local i word
    for ((i = first; i < COMP_CWORD; i++)); do
        word=${COMP_WORDS[i]}
        if [[ $word == -- ]]; then
            operands+=("${COMP_WORDS[@]:i+1:COMP_CWORD-i-1}")
            return
        elif [[ $word == -* ]]; then
            if [[ ${COMP_WORDS[i+1]-} == = ]]; then
                ((i += 2))
            elif [[ " $1 " == *" $word "* ]]; then
                ((i += 1))
            fi
        else
            operands+=("$word")
        fi
    done
}

)";

constexpr char kMain[] = R"(_telvaro_cli()
{
    COMPREPLY=()
    local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD-1]}
    # --name=VALUE arrives as three words: --name, = and VALUE.
    if [[ $cur == = ]]; then
        prev=${COMP_WORDS[COMP_CWORD-1]} cur=
    elif [[ $prev == = ]] && (( COMP_CWORD > 1 )); then
        prev=${COMP_WORDS[COMP_CWORD-2]}
    fi
    # The command is the first word that is not --home or its value.
    local i command= first
    for ((i = 1; i < COMP_CWORD; i++)); do
        case ${COMP_WORDS[i]} in
        --home) ((i++)) ;;
        --home=*) ;;
        *) command=${COMP_WORDS[i]}; first=$((i + 1)); break ;;
        esac
    done
    if [[ -z $command ]]; then
        if [[ $prev == --home ]]; then
            compopt -o filenames 2>/dev/null
            local IFS=$'\n'
            COMPREPLY=($(compgen -d -- "$cur"))
        elif [[ $cur == -* ]]; then
            _telvaro_cli_words '@GLOBAL@'
        else
            _telvaro_cli_words '@COMMANDS@'
        fi
        return
    fi
    case $command in
    help) (( COMP_CWORD == first )) && _telvaro_cli_words '@COMMANDS@' ;;
@DISPATCH@    esac
}

complete -F _telvaro_cli telvaro-cli
)";

}

QString CliBashCompletion(std::span<CCliCommand* const> commands, std::span<const CCliOption> globalOptions)
{
    QString script = QStringLiteral("# bash completion for telvaro-cli, made by \"telvaro-cli --bash-completion\"\n"
                                    "# from the declarations of its commands.\n\n");
    script += QString::fromLatin1(kHelpers);
    QStringList names{QStringLiteral("help")};
    QString dispatch;
    for (const CCliCommand* command : commands) {
        script += CommandFunction(*command);
        const QString name = QString::fromLatin1(command->Name());
        names << name;
        dispatch += QStringLiteral("    %1) _telvaro_cli_command_%2 ;;\n").arg(name, QString(name).replace(QLatin1Char('-'), QLatin1Char('_')));
    }
    QString main = QString::fromLatin1(kMain);
    main.replace(QLatin1String("@GLOBAL@"), Words(NamesOf(globalOptions)));
    main.replace(QLatin1String("@COMMANDS@"), Words(names));
    main.replace(QLatin1String("@DISPATCH@"), dispatch);
    return script + main;
}
