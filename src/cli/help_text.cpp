#include "cli/help_text.h"

namespace gryvel::cli {

namespace {

constexpr std::string_view kHelp = R"(Usage: gryvel-cli [OPTIONS] COMMAND [ARGS]

Answers a crossword solver's questions from word dictionaries: crossword patterns,
anagrams, palindromes, word chains and splits of a word into words. Arguments and
output are UTF-8; words must be letters that code page 1251 holds (Latin, Cyrillic).

Commands:
  crossword PATTERN    words that fit PATTERN from first letter to last; text
                       without wildcards finds the words containing it (as *TEXT*)
                         gryvel-cli crossword 'п?бе*л?'
                         gryvel-cli crossword кот
  anagram LETTERS      anagrams of LETTERS; '?' stands for any letter, and letter
                       case always counts
                         gryvel-cli anagram --mode make акорт
  palindromes          words that read the same backwards
  meaning PATTERN CLUE...
                       words that fit PATTERN ('' for any word; text without wildcards
                       as *TEXT*, as in crossword) and whose description holds a word
                       of CLUE, or that the entry of a CLUE word lists in
                       its description, or one or two steps away along the relations
                       the descriptions name (synonyms, broader words, similar, see
                       also, related forms, attributes); words compare by their stems,
                       a final '*' stands for any ending. The best first: by how
                       strongly and by how many rare CLUE words each is reached, then
                       by how common it is (in --sort alpha)
                         gryvel-cli meaning 'п????а' успех
                         gryvel-cli -d english.kiv meaning --why 'b????' cold
  chain FROM TO        every shortest chain of words from FROM to TO (same length),
                       each step changing --change letters; one chain per line
                         gryvel-cli chain --change 1 кот пёс
  analyze WORD         every way to spell out all letters of WORD with two or more
                       words; one split per line
                         gryvel-cli analyze --items 2-3 картон
  list                 the whole word list (filtered and sorted)
  info                 header fields and entry count of each dictionary
  show WORD            the entry of WORD: parts of speech, number, description and
                       the dictionaries that hold it
                         gryvel-cli show кот
  convert IN OUT       write dictionary IN as a version-2 dictionary file OUT
                         gryvel-cli convert words.txt words.kiv
  import TSV OUT       build dictionary file OUT from lines "word<TAB>parts<TAB>description"
                         gryvel-cli import --language ENG --title Nouns nouns.tsv nouns.kiv

Dictionaries:
  -d, --dict FILE      open FILE: a .kiv dictionary or any text file, whose runs of two
                       or more letters are its words; repeat for several, all searched
                       together. A bare file name that is not in the working folder
                       names a bundled dictionary (english.kiv, dictionary.kiv): in
                       Dictionaries/ beside the program, else in the installed data
                       directory. Without -d: the bundled dictionary.kiv
                         gryvel-cli -d ru.kiv -d extra.txt crossword '???'

Matching (crossword, anagram, palindromes, meaning, list, chain, analyze):
  --case-sensitive     letters of different case differ (default: case is ignored)
  --equal LETTERS=E    count each of LETTERS as the letter E; repeatable
                         gryvel-cli --equal ё=е crossword 'ел?а'
  --filter PATTERN     keep only words that fit PATTERN (the whole word, as in crossword;
                       no *TEXT* rule); for chain and analyze: the words they may use
  --length MIN[-MAX]   keep only words of MIN to MAX letters; MIN alone is exactly MIN,
                       MIN- has no upper limit, -MAX starts at 1
                         gryvel-cli --length 5-7 anagram 'к?т??'

Output (crossword, anagram, palindromes, meaning, list; --count and --json also for chain and
analyze, --json also for info and show):
  --sort alpha|length  order of the words (default alpha; by length, words of equal
                       length stay in alphabetical order)
  --descending         reverse the order
  --describe           print each word's description after a tab, on one line: a line
                       break is written as \n, a tab as \t, a backslash as \\
  --why                meaning: print each word with how it was found: the word, any
                       word between, the CLUE word and the kind of link:
                         reduce ← decrease (hypernym)
  --count              print only the number of results
  --json               print a JSON array: for word lists of objects {word, parts,
                       number, description}; for chain and analyze of strings; for info
                       of {file, format, version, title, comments, author, email, web,
                       language, flags, count}; show prints one object with also
                       "dictionaries"

Command options:
  --mode usual|extended|make   anagram: usual = the same letters; extended = words
                       containing all the letters; make = words made from some of the
                       letters, each used once (default usual)
  --change N           chain: letters changed at each step (default 1)
  --items MIN-MAX      analyze: keep splits of MIN to MAX words (forms as --length)
  --text               convert: write a word list, one word per line (UTF-8)
  --title TEXT, --author TEXT, --comments TEXT, --email TEXT, --web TEXT,
  --language CODE      convert and import: header texts of the new dictionary file;
                       CODE is up to three letters, ENG or RUS (default: the input's,
                       or ENG when every word is Latin, else RUS)

Import lines: word, then optionally a tab and the parts field, then optionally a tab
and the description. Parts are letters n a v r p i (noun, adjective, verb, adverb,
preposition, interjection), then optionally / and s (singular) or p (plural), e.g.
"nv/p". In the description \n is a line break, \t a tab, \\ a backslash. Repeated
words are merged. Blank lines are skipped. For example, with <TAB> for a tab:
  кот<TAB>n/s<TAB>домашнее животное\nмурлычет

Other:
  -h, --help           show this text and exit
  --version            show the version and exit
  --                   end of options: a later argument starting with '-' is a word

Exit status: 0 success (also with no results); 1 a file or dictionary could not be read
or written, or show found no such word; 2 a wrong command line; 130 Ctrl+C stopped chain
or analyze (the results found until then are printed). On a terminal, long runs show
their progress on stderr.
)";

}  // namespace

std::string_view HelpText() {
  return kHelp;
}

}  // namespace gryvel::cli
