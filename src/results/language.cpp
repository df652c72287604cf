#include "results/language.h"

#include <atomic>
#include <cerrno>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <iterator>
#include <span>
#include <utility>

#include "common/ascii_case.h"
#include "common/cp1251_utf8.h"

namespace gryvel {

namespace {

std::atomic<TUILanguage> gLanguage{TUILanguage::NotSet};

// The tables are written in UTF-8 so that they read as they show; they are converted to the
// code page once, on first use.

struct TTermRow {
  TTerm Term;
  std::string_view English;
  std::string_view Russian;
};

constexpr TTermRow kTerms[] = {
    {TTerm::Ok, "Ok", "Ok"},
    {TTerm::Cancel, "Cancel", "Отмена"},
    {TTerm::Apply, "Apply", "Применить"},
    {TTerm::Find, "Find", "Найти"},
    {TTerm::Help, "Help", "Помощь"},
    {TTerm::Stop, "Stop", "Стоп"},
    {TTerm::Crossword, "Crossword", "Кроссворд"},
    {TTerm::Anagrams, "Anagrams", "Анаграммы"},
    {TTerm::EqualLetters, "Equal letters", "Эквиваленты"},
    {TTerm::NewSearch, "New search...", "Новый поиск..."},
    {TTerm::Author, "Author", "Автор"},
    {TTerm::Words, "Words", "Слов"},
    {TTerm::FileName, "File name", "Имя файла"},
    {TTerm::Loading, "Loading", "Открытие"},
    {TTerm::ConnectingDictionary, "Connecting dictionary", "Подключение словаря"},
    {TTerm::Seconds, "sec", "сек"},
    {TTerm::Default, "Default", "Стандартная"},
    {TTerm::RememberLastEntries, "&remember {count} last entries",
     "по&мнить последние {count} запросов"},
    {TTerm::About, "About", "О программе"},
    {TTerm::Properties, "Properties", "Свойства"},
    {TTerm::NewDictionary, "New dictionary", "Новый словарь"},
    {TTerm::AddEntry, "Add entry", "Добавить статью"},
    {TTerm::ChangeEntry, "Change entry", "Изменить статью"},
    {TTerm::Change, "Change", "Изменить"},
    {TTerm::Add, "Add", "Добавить"},
    {TTerm::AddEqualLetters, "Add equal letters", "Добавить эквиваленты"},
    {TTerm::ChangeEqualLetters, "Change equal letters", "Изменить эквиваленты"},
    {TTerm::AnagramsUsual, "Find words which include all these letters",
     "Найти слова, состоящие только из заданных букв"},
    {TTerm::AnagramsIncludeAll, "Locate words that include all these letters",
     "Найти слова, в которых встречаются все указанные буквы"},
    {TTerm::AnagramsMakeUpWords, "Make up words from these characters",
     "Составить слова из заданных букв"},
    {TTerm::BrowserNotStarted,
     "No web browser could be started to open the address\r\n{1}\r\n\r\nOpen it in your "
     "browser yourself, or choose a default web browser in the desktop's settings.",
     "Не удалось запустить браузер, чтобы открыть адрес\r\n{1}\r\n\r\nОткройте его в "
     "браузере сами или выберите браузер по умолчанию в настройках рабочего стола."},
    {TTerm::MailProgramNotStarted,
     "No e-mail program could be started to write to\r\n{1}\r\n\r\nWrite to this address "
     "from your mail program yourself, or choose a default mail program in the desktop's "
     "settings.",
     "Не удалось запустить почтовую программу, чтобы написать по адресу\r\n{1}\r\n\r\n"
     "Напишите на этот адрес из своей почтовой программы или выберите почтовую программу по "
     "умолчанию в настройках рабочего стола."},
    {TTerm::RunningCopyNoAnswer,
     "Gryvel is already running but does not answer. End it (for example with "
     "\"pkill -x gryvel\") and start Gryvel again.",
     "Gryvel уже запущен, но не отвечает. Завершите его (например, командой "
     "\"pkill -x gryvel\") и запустите Gryvel снова."},
    {TTerm::SettingsNotSaved,
     "The settings could not be saved to \"{1}\":\r\n{2}\r\n\r\nThe search history and the "
     "window's settings of this session will be lost. Close anyway?",
     "Не удалось сохранить параметры в \"{1}\":\r\n{2}\r\n\r\nИстория поиска и настройки "
     "окна этого сеанса будут потеряны. Всё равно закрыть?"},
    {TTerm::SettingsNotKept,
     "The settings cannot be kept: \"{1}\" cannot be written:\r\n{2}\r\n\r\nGryvel starts "
     "with its first-run settings; what you change will not be saved.",
     "Параметры не удастся сохранить: файл \"{1}\" недоступен для записи:\r\n{2}\r\n\r\n"
     "Gryvel запускается с начальными параметрами; изменения не будут сохранены."},
    {TTerm::ReasonAccessDenied, "Access denied.", "Нет прав на запись."},
    {TTerm::ReasonReadOnly, "The disk is read-only.", "Диск доступен только для чтения."},
    {TTerm::ReasonNoSpace, "There is no space left on the disk.", "На диске нет места."},
    {TTerm::ReasonNoFolder, "The folder does not exist.", "Папка не существует."},
    {TTerm::CharacterNotStorable,
     "Character {1} \"{2}\" at position {3} cannot be written in code page 1251.",
     "Символ {1} «{2}» в позиции {3} нельзя записать в кодировке 1251."},
    {TTerm::ControlCharacterNotStorable,
     "Character {1} at position {3} cannot be written in code page 1251.",
     "Символ {1} в позиции {3} нельзя записать в кодировке 1251."},
    {TTerm::DictionaryNotLoaded, "The dictionary \"{1}\" could not be loaded:\r\n{2}",
     "Не удалось загрузить словарь \"{1}\":\r\n{2}"},
    {TTerm::DictionariesNotLoaded, "Error loading the dictionaries", "Ошибка при загрузке словарей"},
    {TTerm::DictionaryNotLoadedTip,
     "Could not be loaded: {1}\r\nClick the mark to connect it and try again.",
     "Не удалось загрузить: {1}\r\nЩёлкните по значку, чтобы подключить словарь снова."},
    {TTerm::DuplicateDictionaries,
     "The dictionary list names the same file more than once; only its first entry is kept:",
     "В списке словарей один и тот же файл указан несколько раз; оставлена только первая "
     "запись:"},
    {TTerm::FileNotOpened, "The file \"{1}\" cannot be opened as a dictionary:\r\n{2}",
     "Файл \"{1}\" нельзя открыть как словарь:\r\n{2}"},
    {TTerm::WordListDoubtful,
     "The file \"{1}\" does not look like a list of words: {2}% of its parts are not words.\r\n"
     "Open it as a word list all the same?",
     "Файл \"{1}\" не похож на список слов: {2}% его частей — не слова.\r\n"
     "Всё равно открыть его как список слов?"},
    {TTerm::ReasonNoReadAccess, "Access denied.", "Нет прав на чтение файла."},
    {TTerm::ReasonNoFile, "The file does not exist.", "Файл не существует."},
    {TTerm::ReasonIsFolder, "This is a folder, not a file.", "Это папка, а не файл."},
    {TTerm::ReasonNotDictionary, "The file is not a Gryvel dictionary.",
     "Файл не является словарём Gryvel."},
    {TTerm::ReasonDamagedHeader, "The header of the file is damaged.", "Заголовок файла повреждён."},
    {TTerm::ReasonUnexpectedEnd, "Unexpected end of file. Error on reading the dictionary",
     "Неожиданный конец файла: файл обрезан."},
    {TTerm::ReasonDamagedRecord, "Damaged record. Error on reading the dictionary",
     "Повреждённая запись: файл испорчен."},
    {TTerm::ReasonFileTooLarge, "The file is too large.", "Файл слишком велик."},
    {TTerm::ReasonOutOfMemory, "Not enough memory.", "Недостаточно памяти."},
    {TTerm::DictionaryNotSaved, "The dictionary could not be saved to \"{1}\":\r\n{2}",
     "Не удалось сохранить словарь в \"{1}\":\r\n{2}"},
    {TTerm::FileOfOtherDictionary,
     "The file \"{1}\" is the file of the open dictionary \"{2}\". Two dictionaries cannot "
     "share a file: choose another name, or remove that dictionary from the list first.",
     "Файл \"{1}\" уже занят открытым словарём \"{2}\". У двух словарей не может быть "
     "одного файла: выберите другое имя или сначала удалите тот словарь из списка."},
    {TTerm::FileWriteProtected,
     "The file \"{1}\" is write-protected.\r\nReplace it all the same?",
     "Файл \"{1}\" защищён от записи.\r\nВсё равно заменить его?"},
    {TTerm::FileNotWritten, "The file \"{1}\" could not be written:\r\n{2}",
     "Не удалось записать файл \"{1}\":\r\n{2}"},
    {TTerm::SettingsNotWritten, "The settings could not be saved to \"{1}\":\r\n{2}",
     "Не удалось сохранить параметры в \"{1}\":\r\n{2}"},
    {TTerm::ByMeaning, "By meaning", "По смыслу"},
};

constexpr std::string_view kCountMarker = "{count}";

struct TPair {
  std::string_view English;
  std::string_view Russian;
};

// By bit; an empty Russian name means Russian shows nothing for that bit.
constexpr TPair kPartsOfSpeech[] = {
    {"n.", "сущ."}, {"adj.", "прил."}, {"v.", "гл."}, {"adv.", "нареч."},
    {"pron.", ""},  {"conj.", ""},     {"prep.", ""}, {"interj.", ""},
};
constexpr TPair kPlural = {"pl.", "мн. ч."};
constexpr TPair kLetter = {"letter", "букву"};
constexpr TPair kLetters = {"letters", "букв"};
constexpr TPair kLoadingDictionary = {"Loading dictionary", "Открытие словаря"};
constexpr TPair kLoadingDictionaries = {"Loading dictionaries", "Открытие словарей"};

struct TRow {
  std::string_view Key;
  std::string_view English;
  std::string_view Russian;
};

constexpr TRow kMainWindow[] = {
    {"Caption", "Gryvel 2.6", "Gryvel 2.6"},
    {"FileMenu", "&File", "&Файл"},
    {"FileOpenItem", "&Open...", "&Открыть..."},
    {"FileSaveResultsItem", "Save &results", "Сохранить &результаты"},
    {"FileNewDictionaryItem", "&New dictionary...", "&Новый словарь..."},
    {"FileSaveItem", "&Save", "&Сохранить"},
    {"FileSaveAsItem", "Save &as...", "Сохранить к&ак..."},
    {"FileSaveResultsAsItem", "Save res&ults as...", "Сохранить результаты &как..."},
    {"FilePropertiesItem", "&Properties...", "Свойс&тва..."},
    {"FileExitItem", "E&xit", "&Выход"},
    {"EditMenu", "&Edit", "П&равка"},
    {"EditAddEntryItem", "&Add entry...", "&Добавить статью..."},
    {"EditChangeEntryItem", "Chan&ge entry...", "&Изменить статью..."},
    {"EditCopyItem", "&Copy", "&Копировать"},
    {"EditDeleteItem", "&Delete", "&Удалить"},
    {"SearchMenu", "&Search", "&Поиск"},
    {"SearchCrosswordItem", "&Crossword...", "&Кроссворд..."},
    {"SearchAnagramsItem", "&Anagrams...", "&Анаграммы..."},
    {"SearchWordAnalysisItem", "&Word Analysis...", "&Разложить на слова..."},
    {"SearchWordChainItem", "C&hain of Words...", "&Цепочка слов..."},
    {"SearchPalindromesItem", "&Palindromes", "&Палиндромы"},
    {"OptionsMenu", "&Options", "&Опции"},
    {"OptionsFilterItem", "&Filter...", "&Фильтр..."},
    {"OptionsEqualLettersItem", "Add &equal letters...", "Добавить &эквивалент..."},
    {"OptionsStatisticsItem", "St&atistics...", "Ст&атистика..."},
    {"OptionsSettingsItem", "&Settings...", "&Настройки..."},
    {"ViewMenu", "&View", "&Вид"},
    {"ViewSortMenu", "&Sort", "&Сортировка"},
    {"ViewAscendingItem", "&Ascending", "По &возрастанию"},
    {"ViewDescendingItem", "&Descending", "По &убыванию"},
    {"ViewAlphabeticallyItem", "Alpha&betically", "По &алфавиту"},
    {"ViewByLengthItem", "By &Length", "По &длине"},
    {"ViewToolbarsMenu", "&Toolbars", "&Панели инструментов"},
    {"ViewToolbarsSearchItem", "&Search", "&Поиск"},
    {"ViewToolbarsSortItem", "S&ort", "&Сортировка"},
    {"ViewStatusBarItem", "Status &Bar", "С&трока состояния"},
    {"ViewShowEntriesItem", "Show &entries", "&Описание слов"},
    {"ViewFilterItem", "&Filter", "&Фильтр"},
    {"ViewResultsItem", "&Results", "&Результаты"},
    {"HelpMenu", "&Help", "&?"},
    {"HelpContentsItem", "&Contents", "&Вызов справки"},
    {"HelpOnlineItem", "&Gryvel on-line", "&Домашняя страничка"},
    {"HelpNewVersionItem", "Check for &New Version", "Проверить &новую версию"},
    {"HelpAboutItem", "&About Gryvel...", "&О программе..."},
    {"HelpQuestionMarkItem", "&?", "&?"},
    {"DictionaryChangeItem", "Chan&ge...", "&Изменить..."},
    {"DictionaryNewItem", "&New...", "&Новый..."},
    {"DictionarySearchKindMenu", "&Search kind", "&Вид поиска"},
    {"DictionaryUsualItem", "&Usual", "&Обычный"},
    {"DictionaryIncludeAllItem", "&Include all letters", "&Включая все буквы"},
    {"DictionaryMakeUpWordsItem", "&Make up words", "&Составить слова"},
    {"DictionaryGoToItem", "&Go to...", "&Перейти..."},
    {"DictionaryMessageItem", "&Message...", "&Сообщение..."},
    {"DictionaryRenameItem", "&Rename", "Переи&меновать"},
    {"DictionaryMakeActiveItem", "Make &Active", "Сделать &активным"},
    {"HistoryDeleteItem", "&Delete", "&Удалить"},
    {"SearchHint", "Search", "Поиск"},
    {"SortHint", "Sort", "Сортировка"},
    {"CrosswordHint", "Crossword", "Кроссворд"},
    {"AnagramsHint", "Anagrams", "Анаграммы"},
    {"WordAnalysisHint", "Word Analysis", "Разложить на слова"},
    {"WordChainHint", "Chain of Words", "Цепочка слов"},
    {"ResultsHint", "Show / Hide Results", "Показать / спрятать результаты"},
    {"FilterHint", "On / Off Filter", "Включить / отключить фильтр"},
    {"SortAlphabeticallyHint", "Sort Alphabetically", "Сортировать по алфавиту"},
    {"SortByLengthHint", "Sort by Length", "Сортировать по длине"},
    {"SortAscendingHint", "Sort Ascending", "Сортировать по возрастанию"},
    {"SortDescendingHint", "Sort Descending", "Сортировать по убыванию"},
    {"DictionariesHint", "Dictionaries", "Словари"},
    {"DictionaryFileFilter", "Gryvel dictionary (*.kiv)|*.kiv|All files|*.*",
     "Словарь Gryvel (*.kiv)|*.kiv|Все файлы|*.*"},
    {"SaveDictionaryFilter", "Dictionary (*.kiv)|*.kiv|Text file (*.txt)|*.txt",
     "Словарь (*.kiv)|*.kiv|Текстовый файл (*.txt)|*.txt"},
    {"TextFileFilter", "Text file|*.txt|All files|*.*", "Текстовый файл|*.txt|Все файлы|*.*"},
};

constexpr TRow kMainToolbar[] = {
    {"CrosswordButton", "Crossword", "Кроссворд"},
    {"AnagramsButton", "Anagrams", "Анаграммы"},
    {"ResultsButton", "Results", "Результаты"},
    {"WordAnalysisButton", "Word Analysis", "Разложение"},
    {"WordChainButton", "Chain of Words", "Цепочка"},
    {"FilterButton", "Filter", "Фильтр"},
    {"AlphabeticallyButton", "Alphabetically", "По алфавиту"},
    {"ByLengthButton", "By Length", "По длине"},
    {"AscendingButton", "Ascending", "По возрастанию"},
    {"DescendingButton", "Descending", "По убыванию"},
};

constexpr TRow kStatistics[] = {
    {"Caption", "Statistics", "Статистика"},
    {"LengthItem", "Length", "Длина"},
    {"FirstLettersItem", "First letters", "Первые буквы"},
    {"UniqueLettersItem", "Unique letters in words", "Буквы в словах"},
    {"AllLettersItem", "All letters", "Все буквы"},
    {"LineItem", "Line", "Линейная"},
    {"ColumnItem", "Column", "Гистограмма"},
    {"AllItem", "All", "Все"},
    {"ValuesItem", "Values", "Значения"},
    {"PercentItem", "Percent", "Проценты"},
    {"DataValuesItem", "Data values", "Подписи данных"},
    {"ValueAxisTitle", "word count", "количество слов"},
    {"LengthAxisTitle", "length", "длина"},
    {"LetterAxisTitle", "letter", "буквы"},
    // Beyond the designed window: tool tips, saving the chart, the combo box's label.
    {"StatisticLabel", "&Statistic:", "&Статистика:"},
    {"ByCategoryHint", "By category", "По категориям"},
    {"DescendingHint", "By value, descending", "По убыванию значений"},
    {"AscendingHint", "By value, ascending", "По возрастанию значений"},
    {"ChartStyleHint", "Chart style", "Вид диаграммы"},
    {"MainFormHint", "Back to the main window", "Вернуться в главное окно"},
    {"SaveImageItem", "&Save image...", "&Сохранить изображение..."},
    {"ImageFilter", "PNG image|*.png|SVG image|*.svg", "Изображение PNG|*.png|Изображение SVG|*.svg"},
    {"SaveImageErrorLabel", "The image could not be saved to {file}.",
     "Не удалось сохранить изображение в файл {file}."},
};

constexpr TRow kProperties[] = {
    {"TitleLabel", "Title:", "Название:"},
    {"CommentsLabel", "Comments:", "Описание:"},
    {"AuthorLabel", "Author:", "Автор:"},
    {"WebLabel", "Web site:", "Сайт:"},
    {"EmailLabel", "E-mail:", "E-mail:"},
    {"GoToButton", "Go to...", "Перейти..."},
    {"MessageButton", "Message...", "Сообщение..."},
};

constexpr TRow kEntryEditor[] = {
    {"AddButton", "Add", "Добавить"},
    {"DictionaryLabel", "Dic&tionary:", "&Словарь:"},
    {"WordLabel", "&Word:", "С&лово:"},
    {"ReplaceLabel", "&Replace with:", "&Изменить на:"},
    {"DescriptionLabel", "Des&cription:", "&Описание:"},
    {"NounCheck", "&Noun", "&Существительное"},
    {"AdjectiveCheck", "&Adjective", "&Прилагательное"},
    {"VerbCheck", "&Verb", "&Глагол"},
    {"AdverbCheck", "A&dverb", "&Наречие"},
    {"PrepositionCheck", "P&reposition", "П&редлог"},
    {"InterjectionCheck", "&Interjection", "Ме&ждометие"},
    {"SingularCheck", "&Singular", "&Единственное"},
    {"PluralCheck", "&Plural", "&Множественное"},
    {"PartOfSpeechLabel", "Part of speech:", "Часть речи:"},
    {"NumberLabel", "Number:", "Число:"},
    {"EntryTab", "Entry", "Статья"},
    {"MoreTab", "Part of speech && Number", "Дополнительно"},
};

constexpr TRow kEqualLetters[] = {
    {"LettersLabel", "Letters:", "Буквы:"},
    {"EquivalentLabel", "Equivalent:", "Эквивалент:"},
};

constexpr TRow kOptions[] = {
    {"Caption", "Settings", "Настройки"},
    {"SearchTab", " Search ", " Поиск "},
    {"OptionsGroup", "Options", "Опции"},
    {"InstantSearchCheck", "&instant search while typing", "п&оиск слова при наборе"},
    {"CaseSensitiveCheck", "ca&se sensitive", "учитывать &регистр"},
    {"ResultLimitLabel", "&limit of chain and analysis results :",
     "&предел результатов цепочки и разложения :"},
    {"EqualLettersGroup", "Equal letters", "Эквивалентные буквы"},
    {"LettersColumn", "Letters", "Буквы"},
    {"EquivalentColumn", "Equivalent", "Эквивалент"},
    {"AddButton", "&Add...", "&Добавить..."},
    {"ChangeButton", "&Change...", "&Изменить..."},
    {"DeleteButton", "&Delete", "&Удалить"},
    {"InterfaceTab", "Interface", "Интерфейс"},
    {"LanguageGroup", "Language", "Язык"},
    {"RussianItem", "Russian (Русский)", "Русский"},
    {"EnglishItem", "English", "Английский (English)"},
    {"TextOptionsLabel", "te&xt options:", "&текст кнопки:"},
    {"IconOptionsLabel", "ico&n options:", "&размер кнопки:"},
    {"NoTextLabelsItem", "No text labels", "Без подписей к кнопкам"},
    {"SelectiveTextItem", "Selective text on right", "Выборочно текст справа"},
    {"ShowTextLabelsItem", "Show text labels", "Отображать подписи к кнопкам"},
    {"SmallIconsItem", "Small icons", "Мелкие кнопки"},
    {"LargeIconsItem", "Large icons", "Крупные кнопки"},
    {"MiscellaneousGroup", "Miscellaneous", "Разное"},
    {"StandardScrollBarCheck", "&standard scroll bar", "&стандартная прокрутка"},
    {"WordListTab", "Word List", "Список слов"},
    {"TransparencyLabel", "Transparency:", "Прозрачность:"},
    {"ToolbarsGroup", "Toolbars", "Панели инструментов"},
    {"ElementLabel", "Item:", "Элемент:"},
    // The element box; codes 0 to 4 in this order.
    {"BackgroundElementItem", "Background", "Фон"},
    {"WordElementItem", "Word", "Слово"},
    {"DescriptionElementItem", "Description", "Описание"},
    {"SelectionElementItem", "Selection", "Выделение"},
    {"PartOfSpeechElementItem", "Part of speech", "Часть речи"},
    // The editor parts the element box switches between.
    {"FontGroup", "Font", "Шрифт"},
    {"BackgroundGroup", "Background", "Фон"},
    {"SelectionGroup", "Selection", "Выделение"},
    {"FontChangeButton", "Change...", "Изменить"},
    // The font label names the style: "Verdana, 8pt, bold italic".
    {"FontRegularLabel", "regular", "обычный"},
    {"FontBoldLabel", "bold", "полужирный"},
    {"FontItalicLabel", "italic", "курсив"},
    {"FontUnderlineLabel", "underlined", "подчёркнутый"},
    {"FontStrikeOutLabel", "strikeout", "зачёркнутый"},
    {"ColorButton", "Color...", "Цвет..."},
    {"BorderButton", "Border...", "Граница..."},
    {"ColorRadio", "Color", "Цвет"},
    {"TextureRadio", "Use background picture:", "Использовать текстуру:"},
    {"ShowPartsOfSpeechCheck", "&show parts of speech", "&показывать части речи"},
    {"ShowEntriesCheck", "show &entries", "показывать &описание слов"},
    {"DefaultTextureItem", "Default", "Стандартная"},
    {"LoadTextureItem", "Load from file...", "Загрузить..."},
    // Texts of this program's own for the options dialog: the background colour's button, the
    // texture's file dialog, and the rows of the preview list.
    {"ChooseColorButton", "C&hoose...", "&Выбрать..."},
    {"TextureFilter", "Pictures|*.png;*.jpg;*.jpeg;*.bmp|All files|*.*",
     "Рисунки|*.png;*.jpg;*.jpeg;*.bmp|Все файлы|*.*"},
    {"SampleWordItem", "Word", "Слово"},
    {"SampleWordDescriptionItem",
     "A description of the word, wrapped under it over as many lines as it needs.",
     "Описание слова; длинное описание переносится на следующие строки."},
    {"SampleSelectedWordItem", "Selected word", "Выделенное слово"},
    {"SampleSelectedDescriptionItem", "The selection lets the background show through.",
     "Сквозь выделение виден фон."},
};

constexpr TRow kSearch[] = {
    {"Caption", "Search", "Поиск"},
    {"WildcardsLabel", "Use the following wildcards :", "Подстановочные знаки :"},
    // Russian has no text of its own for this label; the dialog's designed caption stands in.
    {"AnyCharLabel", "? - any single character", "? - любая буква"},
    {"AnyStringLabel", "* - any string of characters", "* - любое количество букв"},
    {"AnyConsonantLabel", "$ - any single consonant", "+ - любая согласная"},
    {"AnyVowelLabel", "@ - any single vowel", "!+ - любая гласная"},
    {"ExampleLabel", "For example: a??tion; @$?*ist; etc. (see help)",
     "Например: п?бе*л?, +*+ и т.п. (см. помощь)"},
    {"CrosswordTab", "Crossword ", "Кроссворд "},
    {"AnagramsTab", "Anagrams ", "Анаграммы "},
    {"WordChainTab", "Chain of words ", "Цепочка слов "},
    {"WordAnalysisTab", "Word analysis ", "Разложить на слова "},
    {"PatternLabel", "&Pattern :", "&Шаблон :"},
    {"CrosswordTipLabel",
     "To accomplish this search from the main window simply type your request (pattern) and "
     "press ENTER",
     "Поиск можно осуществить из главного окна. Для этого просто введите запрос и нажмите "
     "ENTER"},
    {"AnagramWordLabel", "&Word (or set of characters) :", "&Слово (или набор букв) :"},
    {"SearchKindLabel", "Search kind :", "Вид поиска :"},
    {"AnagramsTipLabel",
     "To accomplish this search from the main window just type your request and press "
     "ALT+ENTER",
     "Поиск можно осуществить из главного окна. Для этого просто введите запрос и нажмите "
     "Alt+Enter"},
    {"FirstWordLabel", "&Initial word :", "&Начальное слово :"},
    {"LastWordLabel", "&Final word :", "&Конечное слово :"},
    {"ChangeLabel", "&Change :", "&Изменять :"},
    {"AnalyzeWordLabel", "&Word :", "&Слово :"},
    {"ItemsLabel", "Items :", "Слагаемые :"},
    {"FromLabel", "&from", "&от"},
    {"ToLabel", "&to", "&до"},
    {"VariantsLabel", "Variants:", "Варианты:"},
    {"FoundLabel", "Found:", "Найдено:"},
    {"TimeLabel", "Time:", "Время:"},
    {"LimitReachedLabel", "More than {count} variants found, the search was stopped",
     "Найдено больше {count} вариантов, поиск остановлен"},
    {"CopyResults", "&Copy", "&Копировать"},
    {"SelectAllResults", "Select &all", "Выделить &все"},
    {"SaveResults", "&Save...", "&Сохранить..."},
    {"UsualRadio", "&usual", "&обычный"},
    {"IncludeAllRadio", "&include all letters", "&включая все буквы"},
    {"MakeUpWordsRadio", "&make up words", "сост&авить слова"},
    {"AllRadio", "&all", "&все"},
    {"RangeRadio", "&range :", "диапа&зон :"},
    {"ClueLabel", "&Meaning (clue words) :", "С&мысл (слова подсказки) :"},
};

constexpr TRow kFilter[] = {
    {"Caption", "Filter", "Фильтр"},
    {"SettingsGroup", " Settings ", " Настройки "},
    {"OffRadio", "&off ", "о&тключен"},
    {"OnRadio", "o&n ", "&включен"},
    {"PatternCheck", "&Pattern :", "&Шаблон :"},
    {"LengthCheck", "&Length :", "Д&лина :"},
    {"FromLabel", "&from", "&от"},
    {"ToLabel", "&to", "&до"},
    {"LettersLabel", "characters", "&букв"},
    {"OkButton", "Ok", "Ok"},
    {"CancelButton", "Cancel", "Отмена"},
    {"ApplyButton", "Apply", "Применить"},
};

constexpr TRow kAbout[] = {
    {"Caption", "About", "О программе"},
    {"VersionLabel", "Version", "Версия"},
    {"DescriptionLabel", "A helper for crossword and word-game solvers.",
     "Помощник в разгадывании кроссвордов и словесных игр."},
    {"HomePageLabel", "Home page", "Домашняя страничка"},
    {"LicenceLabel",
     "Gryvel is free software under the GNU General Public License, version 3 or any later "
     "version (GPL-3.0-or-later). It comes with no warranty.",
     "Gryvel — свободная программа, её можно распространять и изменять на условиях GNU General "
     "Public License версии 3 или любой более поздней (GPL-3.0-or-later). Без каких-либо "
     "гарантий."},
    {"LicencesLabel", "&Bundled word lists and their licences:",
     "&Словари в поставке и их лицензии:"},
    // Shown when a bundled dictionary's own header cannot be read.
    {"RussianLicenceLabel",
     "Russian word list: from hunspell-ru, © 1997–2008 Alexander I. Lebedev, BSD-style licence; "
     "a modified version (affix flags removed).",
     "Русский словарь: из hunspell-ru, © 1997–2008 Alexander I. Lebedev, лицензия в стиле BSD; "
     "изменённая версия (флаги аффиксов удалены)."},
    {"EnglishLicenceLabel",
     "English word list: WordNet 3.0, © 2006 Princeton University, WordNet 3.0 licence.",
     "Английский словарь: WordNet 3.0, © 2006 Princeton University, лицензия WordNet 3.0."},
};

struct TWindowTable {
  TWindowTexts Window;
  std::span<const TRow> Rows;
};

constexpr TWindowTable kWindowTables[] = {
    {TWindowTexts::MainWindow, kMainWindow},   {TWindowTexts::MainToolbar, kMainToolbar},
    {TWindowTexts::Statistics, kStatistics},   {TWindowTexts::Properties, kProperties},
    {TWindowTexts::EntryEditor, kEntryEditor}, {TWindowTexts::EqualLetters, kEqualLetters},
    {TWindowTexts::Options, kOptions},         {TWindowTexts::Search, kSearch},
    {TWindowTexts::Filter, kFilter},           {TWindowTexts::About, kAbout},
};

// Both tables are indexed by their enum, so each row must sit at its enum's place.
constexpr bool TermsInOrder() {
  for (std::size_t i = 0; i < std::size(kTerms); ++i)
    if (kTerms[i].Term != static_cast<TTerm>(i)) return false;
  return std::size(kTerms) == static_cast<std::size_t>(TTerm::kLastTerm) + 1;
}
static_assert(TermsInOrder());

constexpr bool WindowsInOrder() {
  for (std::size_t i = 0; i < std::size(kWindowTables); ++i)
    if (kWindowTables[i].Window != kAllWindowTexts[i]) return false;
  return std::size(kWindowTables) == std::size(kAllWindowTexts);
}
static_assert(WindowsInOrder());

// The tables above, in the code page.

std::string ToCp1251(std::string_view utf8) {
  std::string text;
  const TStatus status = Utf8ToCp1251(utf8, &text);
  if (!status.ok()) {
    // A literal above that the code page cannot hold: a mistake in this file.
    std::fprintf(stderr, "language table: %s\n", status.message().c_str());
    std::abort();
  }
  return text;
}

struct TText {
  std::string English;
  std::string Russian;

  TText(std::string_view english, std::string_view russian)
      : English(ToCp1251(english)), Russian(ToCp1251(russian)) {}
  explicit TText(TPair pair) : TText(pair.English, pair.Russian) {}

  const std::string& In(TUILanguage language) const {
    return language == TUILanguage::Russian ? Russian : English;
  }
  const std::string& Current() const { return In(UILanguage()); }
};

struct TKeyedText {
  std::string_view Key;  // points into the constant tables
  TText Text;
};

struct TTables {
  std::vector<TText> Terms;
  std::vector<TText> PartsOfSpeech;
  TText Plural{kPlural};
  TText Letter{kLetter};
  TText Letters{kLetters};
  TText LoadingDictionary{kLoadingDictionary};
  TText LoadingDictionaries{kLoadingDictionaries};
  std::vector<TKeyedText> Windows[std::size(kWindowTables)];

  TTables() {
    for (const TTermRow& row : kTerms) Terms.emplace_back(row.English, row.Russian);
    for (const TPair& pair : kPartsOfSpeech) PartsOfSpeech.emplace_back(pair);
    for (std::size_t i = 0; i < std::size(kWindowTables); ++i)
      for (const TRow& row : kWindowTables[i].Rows)
        Windows[i].push_back({row.Key, TText(row.English, row.Russian)});
  }
};

const TTables& Tables() {
  static const TTables tables;
  return tables;
}

// `text` with "{1}", "{2}" … replaced by `values` in order.
std::string WithValues(std::string text, std::initializer_list<std::string_view> values) {
  char marker[] = "{1}";
  for (const std::string_view value : values) {
    if (const std::size_t at = text.find(marker); at != std::string::npos)
      text.replace(at, 3, value);
    ++marker[1];
  }
  return text;
}

const std::vector<TKeyedText>& WindowRows(TWindowTexts window) {
  return Tables().Windows[static_cast<std::size_t>(window)];
}

}  // namespace

TUILanguage UILanguage() {
  return gLanguage.load(std::memory_order_relaxed);
}

void SetUILanguage(TUILanguage language) {
  gLanguage.store(language, std::memory_order_relaxed);
}

void SetLanguage(std::string_view name) {
  SetUILanguage(EqualIgnoringAsciiCase(name, "RUS") ? TUILanguage::Russian : TUILanguage::English);
}

const std::string& Term(TTerm term) {
  return Tables().Terms[static_cast<std::size_t>(term)].Current();
}

std::string TermWith(TTerm term, std::string_view first, std::string_view second) {
  return WithValues(Term(term), {first, second});
}

std::string FailureReason(const TStatus& failed) {
  switch (failed.system_error()) {
    case EACCES:
    case EPERM:
      return Term(TTerm::ReasonAccessDenied);
    case EROFS:
      return Term(TTerm::ReasonReadOnly);
    case ENOSPC:
    case EDQUOT:
      return Term(TTerm::ReasonNoSpace);
    case ENOENT:
    case ENOTDIR:
      return Term(TTerm::ReasonNoFolder);
    default:
      return failed.message();
  }
}

std::string UnstorableText(const TUnstorable& found) {
  if (found.Code == 0) return found.Message;
  char code[16];
  std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(found.Code));
  // The same test as the engine's own message: control characters stay out of quotes.
  std::string text = Cp1251ToUtf8(Term(found.Code >= 0xA0 ? TTerm::CharacterNotStorable
                                                          : TTerm::ControlCharacterNotStorable));
  return WithValues(std::move(text), {code, found.Shown, std::to_string(found.Position)});
}

std::string WriteFailureText(TTerm term, std::string_view file_name, const TStatus& failed) {
  return TermWith(term, PathForMessage(file_name), FailureReason(failed));
}

std::string LoadFailureReason(const TLoadFailure& failure) {
  switch (failure.Problem) {
    case TLoadProblem::kCannotOpen:
      if (failure.SystemError == EACCES || failure.SystemError == EPERM)
        return Term(TTerm::ReasonNoReadAccess);
      if (failure.SystemError == ENOENT) return Term(TTerm::ReasonNoFile);
      if (failure.SystemError == EISDIR) return Term(TTerm::ReasonIsFolder);
      return failure.Detail;
    case TLoadProblem::kDamagedHeader:
      return Term(TTerm::ReasonDamagedHeader);
    case TLoadProblem::kNotDictionary:
      return Term(TTerm::ReasonNotDictionary);
    case TLoadProblem::kUnexpectedEnd:
      return Term(TTerm::ReasonUnexpectedEnd);
    case TLoadProblem::kDamagedRecord:
      return Term(TTerm::ReasonDamagedRecord);
    case TLoadProblem::kFileTooLarge:
      return Term(TTerm::ReasonFileTooLarge);
    case TLoadProblem::kOutOfMemory:
      return Term(TTerm::ReasonOutOfMemory);
    case TLoadProblem::kNone:
    case TLoadProblem::kOther:
      break;
  }
  return failure.Detail;
}

std::string LoadFailureText(const TLoadFailure& failure, std::string_view file_name) {
  return TermWith(TTerm::DictionaryNotLoaded, PathForMessage(file_name),
                  LoadFailureReason(failure));
}

std::string FileRefusalReason(const TFileClass& refused) {
  switch (refused.Refusal) {
    case TFileRefusal::kMissing:
      return Term(TTerm::ReasonNoFile);
    case TFileRefusal::kFolder:
      return Term(TTerm::ReasonIsFolder);
    case TFileRefusal::kNotDictionary:
      return Term(TTerm::ReasonNotDictionary);
    case TFileRefusal::kUnreadable:
    case TFileRefusal::kNone:
      break;
  }
  return LoadFailureReason(
      {TLoadProblem::kCannotOpen, SystemErrorText(refused.SystemError), refused.SystemError});
}

std::string FileRefusalText(const TFileClass& refused, std::string_view file_name) {
  return TermWith(TTerm::FileNotOpened, PathForMessage(file_name), FileRefusalReason(refused));
}

std::string RememberLastEntriesText(int count) {
  std::string text = Term(TTerm::RememberLastEntries);
  const std::size_t at = text.find(kCountMarker);
  if (at != std::string::npos) text.replace(at, kCountMarker.size(), std::to_string(count));
  return text;
}

std::string PartOfSpeechText(std::uint8_t bits, bool plural) {
  const TTables& tables = Tables();
  const TUILanguage language = UILanguage();  // once, so one call never mixes languages
  std::string text;
  for (std::size_t bit = 0; bit < tables.PartsOfSpeech.size(); ++bit) {
    const std::string& name = tables.PartsOfSpeech[bit].In(language);
    if ((bits >> bit & 1) == 0 || name.empty()) continue;
    if (!text.empty()) text += ", ";
    text += name;
  }
  if (plural) {
    const std::string& mark = tables.Plural.In(language);
    text = text.empty() ? mark : text + " (" + mark + ")";
  }
  return text;
}

const std::string& LetterCountWord(int count) {
  return (count == 1 ? Tables().Letter : Tables().Letters).Current();
}

const std::string& LoadingTitle(bool plural) {
  return (plural ? Tables().LoadingDictionaries : Tables().LoadingDictionary).Current();
}

const std::string& WindowText(TWindowTexts window, std::string_view key) {
  for (const TKeyedText& row : WindowRows(window))
    if (row.Key == key) return row.Text.Current();
  static const std::string kNone;
  return kNone;
}

std::vector<std::string_view> WindowTextKeys(TWindowTexts window) {
  std::vector<std::string_view> keys;
  for (const TKeyedText& row : WindowRows(window)) keys.push_back(row.Key);
  return keys;
}

}  // namespace gryvel
